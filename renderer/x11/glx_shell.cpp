#include "x11/glx_shell.h"

#include <GL/gl.h>
#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <poll.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "gl/scene.h"
#include "gl/viewport.h"
#include "shell/frame_pacing.h"
#include "shell/frame_step.h"
#include "timing/frame_timing.h"
#include "x11/desktop_grab.h"
#include "x11/frame_rate_overlay.h"
#include "x11/glx_visual.h"
#include "headless/headless_frame.h"
#include "shell/messages.h"
#include "shell/picture_file.h"
#include "x11/monitors.h"
#include "x11/own_window.h"
#include "x11/swap_interval.h"

namespace {

constexpr int kWindowWidth = 1024;
constexpr int kWindowHeight = 768;

volatile bool windowLost = false;

// A window someone else made may go at any moment; drawing into it then is an error that must
// end the animation, not the process with a message.
int NoteXError(Display*, XErrorEvent* error) {
    if (error->error_code == BadWindow || error->error_code == BadDrawable ||
        error->error_code == BadMatch) {
        windowLost = true;
    }
    return 0;
}

// The server went away (killed, or shut down under us): nothing more can be drawn. Xlib's own
// handler would end the process with a message in its words; this one says it as every other
// failure is said, and ends the process with the same status.
[[noreturn]] int ReportLostDisplay(Display* display) {
    Fail(XDisplayString(display) + std::string(": lost the connection to the X display"));
    std::exit(1);
}

std::string WindowName(unsigned long window) {
    char name[32];
    std::snprintf(name, sizeof name, "window 0x%lx", window);
    return name;
}

Display* OpenDisplay(const LaunchOptions& options) {
    const char* asked = options.displayName.empty() ? nullptr : options.displayName.c_str();
    Display* display = XOpenDisplay(asked);
    if (display == nullptr) {
        const std::string name = XDisplayName(asked);
        Fail(name.empty() ? "cannot open the X display: DISPLAY is not set"
                          : name + ": cannot open the X display");
    }
    return display;
}

struct Surface {
    Window window = 0;
    bool own = false;
    int width = 0;
    int height = 0;
    XVisualInfo* visual = nullptr;
};

std::optional<Surface> MakeOwnSurface(Display* display, int screen, const LaunchOptions& options) {
    Surface surface;
    surface.own = true;
    surface.visual = ChooseOwnVisual(display, screen, options.visual);
    if (surface.visual == nullptr) {
        Fail(XDisplayString(display) + std::string(": no visual for OpenGL on the display"));
        return std::nullopt;
    }
    const bool fullScreen = options.target == DrawTarget::FullScreen;
    surface.width = fullScreen ? DisplayWidth(display, screen) : kWindowWidth;
    surface.height = fullScreen ? DisplayHeight(display, screen) : kWindowHeight;
    surface.window =
        MakeOwnWindow(display, screen, *surface.visual, surface.width, surface.height, fullScreen);
    return surface;
}

std::optional<Surface> AdoptWindow(Display* display, Window window) {
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display, window, &attributes)) {
        Fail(WindowName(window) + " does not exist");
        return std::nullopt;
    }
    Surface surface;
    surface.window = window;
    surface.width = attributes.width;
    surface.height = attributes.height;
    surface.visual = VisualOfWindow(display, attributes.visual);
    if (surface.visual == nullptr || !CanDrawScene(display, surface.visual)) {
        Fail(WindowName(window) + ": OpenGL cannot draw in its visual");
        XFree(surface.visual);
        return std::nullopt;
    }
    XSelectInput(display, window, StructureNotifyMask | ExposureMask);
    return surface;
}

std::optional<Surface> MakeSurface(Display* display, int screen, const LaunchOptions& options) {
    switch (options.target) {
        case DrawTarget::ForeignWindow:
            return AdoptWindow(display, options.windowId);
        case DrawTarget::Root:
            return AdoptWindow(display, RootWindow(display, screen));
        default:
            return MakeOwnSurface(display, screen, options);
    }
}

void ReleaseSurface(Display* display, const Surface& surface) {
    if (surface.own) {
        XDestroyWindow(display, surface.window);
    }
    XFree(surface.visual);
}

// The picture is taken before our own window covers the screen. Under XScreenSaver the screen is
// already covered: the daemon's photograph from before it blanked is asked for instead.
BitmapImage TakeDesktop(Display* display, int screen, const LaunchOptions& options) {
    std::optional<BitmapImage> picture;
    if (options.startedByScreenSaver) {
        picture = GrabDesktopForScreenSaver(display, options.windowId);
    }
    if (!picture) {
        picture =
            GrabDrawable(display, RootWindow(display, screen), *DefaultVisual(display, screen),
                         DisplayWidth(display, screen), DisplayHeight(display, screen));
    }
    if (!picture) {
        picture = BitmapImage{1, 1, {0, 0, 0}};
    }
    return std::move(*picture);
}

// Everything the animation loop works with.
struct Show {
    Display* display;
    Surface surface;
    std::vector<Monitor> monitors;
    ViewportRect viewport;
    std::chrono::microseconds period;
    const FrameRateOverlay* overlay;  // none without -fps
    FrameRateMeter meter;
    bool (*stopRequested)();
};

void PlaceScene(Show& show) {
    const Surface& surface = show.surface;
    show.viewport = SceneViewport(
        PlaceOnRoot(show.display, surface.window, surface.width, surface.height), show.monitors);
    ResizeViewport(show.viewport.width, show.viewport.height);
    glViewport(show.viewport.x, show.viewport.y, show.viewport.width, show.viewport.height);
}

// Returns true when the animation must end.
bool HandleEvent(Show& show, const XEvent& event, bool& escapeDown) {
    Surface& surface = show.surface;
    switch (event.type) {
        case ConfigureNotify:
            if (event.xconfigure.window == surface.window) {
                surface.width = event.xconfigure.width;
                surface.height = event.xconfigure.height;
                PlaceScene(show);
            }
            return false;
        case DestroyNotify:
            return event.xdestroywindow.window == surface.window;
        case KeyPress:
        case KeyRelease: {
            XKeyEvent key = event.xkey;
            if (XLookupKeysym(&key, 0) == XK_Escape) {
                escapeDown = event.type == KeyPress;
            }
            return false;
        }
        case ClientMessage:
            return static_cast<Atom>(event.xclient.data.l[0]) ==
                   XInternAtom(show.display, "WM_DELETE_WINDOW", False);
        default:
            return false;
    }
}

// Returns true when the animation must end.
bool HandlePendingEvents(Show& show, bool& escapeDown) {
    while (XPending(show.display) > 0) {
        XEvent event;
        XNextEvent(show.display, &event);
        if (HandleEvent(show, event, escapeDown)) {
            return true;
        }
    }
    return show.stopRequested() || windowLost;
}

// Sleeps until DUE, but no longer than until the display sends an event or a signal comes, so
// that the window's end, Escape and SIGTERM are seen at once whatever the delay.
void WaitUntil(Display* display, PacingClock::time_point due) {
    const auto left =
        std::chrono::duration_cast<std::chrono::nanoseconds>(due - PacingClock::now());
    if (left.count() <= 0 || XPending(display) > 0) {
        return;
    }
    const timespec timeout{static_cast<time_t>(left.count() / 1000000000),
                           static_cast<long>(left.count() % 1000000000)};
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    ppoll(&connection, 1, &timeout, nullptr);
}

// The frame rate goes over the drawn frame, and is counted once the frame is swapped.
void PresentFrame(Show& show) {
    if (show.overlay != nullptr) {
        show.overlay->Draw(show.meter.Text(), show.viewport.width, show.viewport.height);
    }
    glXSwapBuffers(show.display, show.surface.window);
    NoteSwappedFrame();
    show.meter.NoteFrame(PacingClock::now());
}

// The same frame step as the Windows renderer's, with Escape looked at only at the end of a
// frame; between frames it sleeps, so that frames come at most one a period.
void Animate(Show& show) {
    bool escapeDown = false;
    PacingClock::time_point due = PacingClock::now();
    for (;;) {
        if (HandlePendingEvents(show, escapeDown)) {
            return;
        }
        if (PacingClock::now() < due) {
            WaitUntil(show.display, due);
            continue;
        }
        StepFrame(true, [&show] { PresentFrame(show); });
        due = NextFrameDue(due, PacingClock::now(), show.period);
        if (escapeDown && show.surface.own) {
            return;
        }
    }
}

void RunShow(Display* display, int screen, const Surface& surface, const LaunchOptions& options,
             BitmapImage desktop, bool (*stopRequested)()) {
    EnableSwapInterval(display, surface.window);
    std::optional<FrameRateOverlay> overlay;
    if (options.showFrameRate) {
        overlay.emplace(display);
    }
    Show show{display,
              surface,
              QueryMonitors(display, screen),
              {},
              std::chrono::microseconds(options.delayMicroseconds),
              overlay ? &*overlay : nullptr,
              {},
              stopRequested};
    PlaceScene(show);
    InitScene(desktop);
    // The texture holds the picture now; its bytes need not stay for the length of the show.
    desktop = BitmapImage{};
    Animate(show);
    ReportFrameTiming();
}

}  // namespace

int RunOnDisplay(const LaunchOptions& options, bool (*stopRequested)()) {
    std::optional<BitmapImage> picture;
    if (!options.picture.empty() && !(picture = ReadPictureFile(options.picture))) {
        return 1;
    }
    Display* display = OpenDisplay(options);
    if (display == nullptr) {
        return 1;
    }
    XSetErrorHandler(NoteXError);
    XSetIOErrorHandler(ReportLostDisplay);
    const int screen = DefaultScreen(display);
    BitmapImage desktop = picture ? std::move(*picture) : TakeDesktop(display, screen, options);
    const std::optional<Surface> surface = MakeSurface(display, screen, options);
    GLXContext context =
        surface ? glXCreateContext(display, surface->visual, nullptr, True) : nullptr;
    const bool current = context != nullptr && glXMakeCurrent(display, surface->window, context);
    if (current) {
        RunShow(display, screen, *surface, options, std::move(desktop), stopRequested);
        glXMakeCurrent(display, None, nullptr);
    } else if (surface) {
        Fail(WindowName(surface->window) + ": cannot make an OpenGL context for it");
    }
    if (context != nullptr) {
        glXDestroyContext(display, context);
    }
    if (surface) {
        ReleaseSurface(display, *surface);
    }
    XCloseDisplay(display);
    return current ? 0 : 1;
}

int SaveX11Desktop(const LaunchOptions& options) {
    Display* display = OpenDisplay(options);
    if (display == nullptr) {
        return 1;
    }
    const BitmapImage desktop = TakeDesktop(display, DefaultScreen(display), options);
    XCloseDisplay(display);
    return WritePng(options.out, desktop.width, desktop.height, desktop.pixels) ? 0 : 1;
}
