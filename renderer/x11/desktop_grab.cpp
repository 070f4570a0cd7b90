#include "x11/desktop_grab.h"

#include <X11/Xutil.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "shell/desktop_pixels.h"

namespace {

int RunHelper(const std::string& window, const std::string& pixmap) {
    const pid_t child = fork();
    if (child < 0) {
        return -1;
    }
    if (child == 0) {
        // XScreenSaver puts its helpers on the path of its hacks; run by hand, the helper is
        // found where Debian installs it.
        execlp("xscreensaver-getimage", "xscreensaver-getimage", window.c_str(), pixmap.c_str(),
               static_cast<char*>(nullptr));
        execl("/usr/libexec/xscreensaver/xscreensaver-getimage", "xscreensaver-getimage",
              window.c_str(), pixmap.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Xlib knows every layout a server may send; its per-pixel read is the slow way, kept for
// those that are rare.
BitmapImage PictureByPixel(XImage& image, const RgbFromPixel& rgb) {
    BitmapImage picture{image.width, image.height, {}};
    picture.pixels.resize(static_cast<size_t>(image.width) * image.height * 3);
    std::uint8_t* out = picture.pixels.data();
    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x, out += 3) {
            rgb.Write(XGetPixel(&image, x, y), out);
        }
    }
    return picture;
}

}  // namespace

BitmapImage PictureOfImage(XImage& image, const RgbFromPixel& rgb) {
    if (image.bits_per_pixel == 32 && image.byte_order == LSBFirst) {
        return PictureFromPixels32(reinterpret_cast<const std::uint8_t*>(image.data),
                                   static_cast<std::size_t>(image.bytes_per_line), image.width,
                                   image.height, image.depth, rgb);
    }
    return PictureByPixel(image, rgb);
}

std::optional<BitmapImage> GrabDrawable(Display* display, Drawable drawable,
                                        const Visual& pixelLayout, int width, int height) {
    XImage* image = XGetImage(display, drawable, 0, 0, static_cast<unsigned>(width),
                              static_cast<unsigned>(height), AllPlanes, ZPixmap);
    if (image == nullptr) {
        return std::nullopt;
    }
    // An image of a pixmap carries no colour masks (a pixmap has no visual), so the layout is
    // always the caller's.
    const RgbFromPixel rgb({pixelLayout.red_mask, pixelLayout.green_mask, pixelLayout.blue_mask});
    BitmapImage picture = PictureOfImage(*image, rgb);
    XDestroyImage(image);
    return picture;
}

// The helper, not the daemon's own photograph of the desktop, because only the helper honours
// the user's grabDesktopImages: without it, it gives a picture from disk or colour bars.
std::optional<BitmapImage> GrabDesktopForScreenSaver(Display* display, Window window) {
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display, window, &attributes)) {
        return std::nullopt;
    }
    const Pixmap pixmap = XCreatePixmap(display, window, static_cast<unsigned>(attributes.width),
                                        static_cast<unsigned>(attributes.height),
                                        static_cast<unsigned>(attributes.depth));
    XSync(display, False);
    std::optional<BitmapImage> picture;
    if (RunHelper(std::to_string(window), std::to_string(pixmap)) == 0) {
        picture =
            GrabDrawable(display, pixmap, *attributes.visual, attributes.width, attributes.height);
    }
    XFreePixmap(display, pixmap);
    return picture;
}
