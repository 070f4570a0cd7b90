#include "x11/monitors.h"

#include <X11/extensions/Xinerama.h>
#include <X11/extensions/Xrandr.h>

namespace {

std::vector<Monitor> RandrMonitors(Display* display, Window root) {
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    if (!XRRQueryExtension(display, &eventBase, &errorBase) ||
        !XRRQueryVersion(display, &major, &minor) || (major == 1 && minor < 5)) {
        return {};
    }
    int count = 0;
    XRRMonitorInfo* found = XRRGetMonitors(display, root, True, &count);
    std::vector<Monitor> monitors;
    for (int i = 0; i < count; ++i) {
        monitors.push_back(
            {{found[i].x, found[i].y, found[i].width, found[i].height}, found[i].primary != 0});
    }
    if (found != nullptr) {
        XRRFreeMonitors(found);
    }
    return monitors;
}

std::vector<Monitor> XineramaMonitors(Display* display) {
    int eventBase = 0, errorBase = 0;
    if (!XineramaQueryExtension(display, &eventBase, &errorBase) || !XineramaIsActive(display)) {
        return {};
    }
    int count = 0;
    XineramaScreenInfo* found = XineramaQueryScreens(display, &count);
    std::vector<Monitor> monitors;
    for (int i = 0; i < count; ++i) {
        monitors.push_back(
            {{found[i].x_org, found[i].y_org, found[i].width, found[i].height}, i == 0});
    }
    if (found != nullptr) {
        XFree(found);
    }
    return monitors;
}

}  // namespace

// Under Xinerama a server may keep RandR, which then sees only the first screen: whichever
// tells of more monitors is believed, RandR on a tie since it knows the primary one.
std::vector<Monitor> QueryMonitors(Display* display, int screen) {
    std::vector<Monitor> randr = RandrMonitors(display, RootWindow(display, screen));
    std::vector<Monitor> xinerama = XineramaMonitors(display);
    return xinerama.size() > randr.size() ? xinerama : randr;
}

ScreenRect PlaceOnRoot(Display* display, Window window, int width, int height) {
    XWindowAttributes attributes{};
    int x = 0, y = 0;
    Window child = 0;
    if (XGetWindowAttributes(display, window, &attributes)) {
        XTranslateCoordinates(display, window, attributes.root, 0, 0, &x, &y, &child);
    }
    return {x, y, width, height};
}
