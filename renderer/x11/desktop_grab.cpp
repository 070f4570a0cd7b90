#include "x11/desktop_grab.h"

#include <X11/Xutil.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

namespace {

// The position of a mask's lowest bit and its width, to scale any channel depth to 8 bits.
struct Channel {
    int shift = 0;
    unsigned long mask = 0;
    explicit Channel(unsigned long channelMask) : mask(channelMask) {
        while (mask != 0 && (mask & 1) == 0) {
            mask >>= 1;
            ++shift;
        }
    }
    std::uint8_t Of(unsigned long pixel) const {
        return mask == 0 ? 0 : static_cast<std::uint8_t>(((pixel >> shift) & mask) * 255 / mask);
    }
};

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

}  // namespace

std::optional<BitmapImage> GrabDrawable(Display* display, Drawable drawable,
                                        const Visual& pixelLayout, int width, int height) {
    XImage* image = XGetImage(display, drawable, 0, 0, static_cast<unsigned>(width),
                              static_cast<unsigned>(height), AllPlanes, ZPixmap);
    if (image == nullptr) {
        return std::nullopt;
    }
    // An image of a pixmap carries no colour masks (a pixmap has no visual), so the layout is
    // always the caller's.
    const Channel red(pixelLayout.red_mask), green(pixelLayout.green_mask),
        blue(pixelLayout.blue_mask);
    BitmapImage picture;
    picture.width = width;
    picture.height = height;
    picture.pixels.resize(static_cast<size_t>(width) * height * 3);
    std::uint8_t* out = picture.pixels.data();
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const unsigned long pixel = XGetPixel(image, x, y);
            *out++ = red.Of(pixel);
            *out++ = green.Of(pixel);
            *out++ = blue.Of(pixel);
        }
    }
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
