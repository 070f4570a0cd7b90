// Feeds arbitrary X images to the Linux program's snapshot conversion, as a server may hand them
// over: the input's first 20 bytes are the image's depth, bits per pixel, byte order, bit order,
// row padding, width, height and extra bytes per row, then the visual's red, green and blue
// masks (32 bits each, little-endian); the rest are the pixel rows, cut or padded with zeros
// to the size the layout gives. Layouts Xlib itself refuses are no images. Every image becomes a
// picture of its size whose pixels are those Xlib reads from it, whichever way the program took.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <vector>

#include "fuzz_input.h"
#include "x11/desktop_grab.h"
#include "shell/desktop_pixels.h"

namespace {

constexpr std::size_t kHeaderBytes = 20;
// The pixel sizes a server's formats have; a depth is never more than its format's size.
constexpr int kPixelSizes[] = {1, 4, 8, 16, 24, 32};

unsigned long Mask(const std::uint8_t* bytes) {
    return static_cast<unsigned long>(bytes[0]) | static_cast<unsigned long>(bytes[1]) << 8 |
           static_cast<unsigned long>(bytes[2]) << 16 | static_cast<unsigned long>(bytes[3]) << 24;
}

// The layout as XGetImage fills it in for a ZPixmap; false where Xlib would take no such image.
bool DescribeImage(const std::uint8_t* header, XImage& image) {
    image = XImage{};
    image.format = ZPixmap;
    image.bits_per_pixel = kPixelSizes[header[1] % std::size(kPixelSizes)];
    image.depth = 1 + header[0] % image.bits_per_pixel;
    image.byte_order = header[2] % 2 == 0 ? LSBFirst : MSBFirst;
    image.bitmap_bit_order = header[3] % 2 == 0 ? LSBFirst : MSBFirst;
    image.bitmap_pad = 8 << (header[4] % 3);
    image.bitmap_unit = image.bitmap_pad;
    image.width = 1 + header[5] % 64;
    image.height = 1 + header[6] % 64;
    image.red_mask = Mask(header + 8);
    image.green_mask = Mask(header + 12);
    image.blue_mask = Mask(header + 16);
    if (!XInitImage(&image)) {
        return false;
    }
    image.bytes_per_line += header[7] % 16;
    return XInitImage(&image) != 0;
}

// What Xlib reads from each pixel, bottom row first: the picture the program must make.
std::vector<std::uint8_t> PixelsXlibReads(XImage& image, const RgbFromPixel& rgb) {
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(image.width) * image.height * 3);
    std::uint8_t* out = pixels.data();
    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x, out += 3) {
            rgb.Write(XGetPixel(&image, x, y), out);
        }
    }
    return pixels;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    XImage image;
    if (size < kHeaderBytes || !DescribeImage(data, image)) {
        return 0;
    }
    std::vector<char> rows(static_cast<std::size_t>(image.bytes_per_line) * image.height);
    std::memcpy(rows.data(), data + kHeaderBytes, std::min(rows.size(), size - kHeaderBytes));
    image.data = rows.data();
    const RgbFromPixel rgb({image.red_mask, image.green_mask, image.blue_mask});
    const BitmapImage picture = PictureOfImage(image, rgb);
    Require(picture.width == image.width && picture.height == image.height,
            "the picture has the image's size");
    Require(picture.pixels == PixelsXlibReads(image, rgb), "the pixels are those Xlib reads");
    return 0;
}
