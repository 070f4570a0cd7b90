#include "x11/desktop_grab.h"

#include <X11/Xatom.h>
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

std::optional<BitmapImage> GrabDrawable(Display* display, Drawable drawable, int width,
                                        int height) {
    XImage* image = XGetImage(display, drawable, 0, 0, static_cast<unsigned>(width),
                              static_cast<unsigned>(height), AllPlanes, ZPixmap);
    if (image == nullptr) {
        return std::nullopt;
    }
    const Channel red(image->red_mask), green(image->green_mask), blue(image->blue_mask);
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

namespace {

// XScreenSaver keeps the desktop it photographed before blanking as a pixmap named on its
// window; the helper reads the same.
std::optional<BitmapImage> GrabScreenshotProperty(Display* display, Window window) {
    const Atom name = XInternAtom(display, "_SCREENSAVER_SCREENSHOT", True);
    if (name == None) {
        return std::nullopt;
    }
    Atom type = None;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, name, 0, 1, False, XA_PIXMAP, &type, &format, &count,
                           &remaining, &data) != Success ||
        data == nullptr) {
        return std::nullopt;
    }
    const Pixmap pixmap = count == 1 && format == 32 ? *reinterpret_cast<Pixmap*>(data) : None;
    XFree(data);
    Window root = 0;
    int x = 0, y = 0;
    unsigned width = 0, height = 0, border = 0, depth = 0;
    if (pixmap == None ||
        !XGetGeometry(display, pixmap, &root, &x, &y, &width, &height, &border, &depth)) {
        return std::nullopt;
    }
    return GrabDrawable(display, pixmap, static_cast<int>(width), static_cast<int>(height));
}

std::optional<BitmapImage> GrabWithHelper(Display* display, Window window) {
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
        picture = GrabDrawable(display, pixmap, attributes.width, attributes.height);
    }
    XFreePixmap(display, pixmap);
    return picture;
}

}  // namespace

// The daemon's own photograph when its window names one: the helper would read the same, but it
// cannot copy it into a GL window deeper than the screen and reports success all the same.
std::optional<BitmapImage> GrabDesktopForScreenSaver(Display* display, Window window) {
    if (auto picture = GrabScreenshotProperty(display, window)) {
        return picture;
    }
    return GrabWithHelper(display, window);
}
