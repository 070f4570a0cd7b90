#include "headless/headless_frame.h"

#include <GL/gl.h>
#include <png.h>

#include <cerrno>
#include <cstdio>
#include <optional>
#include <utility>
#include <vector>

#include "bitmap/bitmap_reader.h"
#include "gl/scene.h"
#include "gl/viewport.h"
#include "shell/frame_step.h"
#include "shell/messages.h"
#include "shell/picture_file.h"
#include "headless/offscreen_context.h"

namespace {

bool WritePngRows(std::FILE* file, int width, int height,
                  const std::vector<std::uint8_t>& bottomUpRgb) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    const size_t stride = static_cast<size_t>(width) * 3;
    for (int y = height - 1; y >= 0; --y) {
        png_write_row(png, bottomUpRgb.data() + stride * static_cast<size_t>(y));
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

// GL's rows come bottom first; a PNG's top first.
bool WritePng(const std::string& path, int width, int height,
              const std::vector<std::uint8_t>& bottomUpRgb) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    bool written =
        file != nullptr && WritePngRows(file, width, height, bottomUpRgb) && std::fflush(file) == 0;
    const int why = errno;
    if (file != nullptr) {
        written = std::fclose(file) == 0 && written;
    }
    if (!written) {
        Fail(path + ": cannot write it: " + ErrorText(why));
    }
    return written;
}

// Frame N is what the window shows after N frames were drawn, swapped and counted: every frame
// before it is drawn too, since drawing a frame is what moves the fragments.
int WriteHeadlessFrame(const LaunchOptions& options) {
    const std::optional<BitmapImage> picture = ReadPictureFile(options.picture);
    if (!picture) {
        return 1;
    }
    const OffscreenContext context(options.width, options.height);
    if (!context.Current()) {
        Fail("no off-screen OpenGL context (Mesa's surfaceless EGL platform)");
        return 1;
    }
    ResizeViewport(options.width, options.height);
    InitScene(*picture);
    // Nothing swaps here to pace the driver: left to itself, llvmpipe queues frame after frame,
    // and their memory grows with N. Finishing each one keeps it flat. The clock's step after
    // the last frame leaves its pixels as they are.
    for (int frame = 0; frame <= options.frame; ++frame) {
        StepFrame(true, glFinish);
    }
    std::vector<std::uint8_t> pixels(static_cast<size_t>(options.width) * options.height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, options.width, options.height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    return WritePng(options.out, options.width, options.height, pixels) ? 0 : 1;
}
