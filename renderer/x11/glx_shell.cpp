#include "x11/glx_shell.h"

#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <csignal>
#include <cstdio>
#include <optional>

#include "gl/frame.h"
#include "gl/scene.h"
#include "gl/viewport.h"
#include "hand_off/hand_off.h"
#include "model/animation_clock.h"
#include "timing/frame_timing.h"
#include "x11/desktop_grab.h"
#include "x11/headless_frame.h"
#include "x11/swap_interval.h"

namespace {

constexpr int kWindowWidth = 1024;
constexpr int kWindowHeight = 768;

volatile std::sig_atomic_t stopRequested = 0;
volatile bool windowLost = false;

void RequestStop(int) {
    stopRequested = 1;
}

void InstallStopSignals() {
    struct sigaction action {};
    action.sa_handler = RequestStop;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

// A window someone else made may go at any moment; drawing into it then is an error that must
// end the animation, not the process with a message.
int NoteXError(Display*, XErrorEvent* error) {
    if (error->error_code == BadWindow || error->error_code == BadDrawable ||
        error->error_code == BadMatch) {
        windowLost = true;
    }
    return 0;
}

struct Surface {
    Window window = 0;
    bool own = false;
    int width = 0;
    int height = 0;
    XVisualInfo* visual = nullptr;
};

XVisualInfo* ChooseOwnVisual(Display* display, int screen) {
    int attributes[] = {
        GLX_RGBA, GLX_DOUBLEBUFFER, GLX_RED_SIZE, 1,   GLX_GREEN_SIZE, 1, GLX_BLUE_SIZE,
        1,        GLX_DEPTH_SIZE,   16,           None};
    return glXChooseVisual(display, screen, attributes);
}

// Someone else's window keeps its visual: the context must be made for that one.
XVisualInfo* VisualOfWindow(Display* display, const XWindowAttributes& attributes) {
    XVisualInfo wanted{};
    wanted.visualid = XVisualIDFromVisual(attributes.visual);
    int count = 0;
    return XGetVisualInfo(display, VisualIDMask, &wanted, &count);
}

void AskForFullScreen(Display* display, Window window) {
    const Atom state = XInternAtom(display, "_NET_WM_STATE", False);
    const Atom fullScreen = XInternAtom(display, "_NET_WM_STATE_FULLSCREEN", False);
    XChangeProperty(display, window, state, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&fullScreen), 1);
}

std::optional<Surface> MakeOwnWindow(Display* display, int screen, bool fullScreen) {
    Surface surface;
    surface.own = true;
    surface.visual = ChooseOwnVisual(display, screen);
    if (surface.visual == nullptr) {
        return std::nullopt;
    }
    const Window root = RootWindow(display, screen);
    surface.width = fullScreen ? DisplayWidth(display, screen) : kWindowWidth;
    surface.height = fullScreen ? DisplayHeight(display, screen) : kWindowHeight;
    XSetWindowAttributes attributes{};
    attributes.colormap = XCreateColormap(display, root, surface.visual->visual, AllocNone);
    attributes.background_pixel = BlackPixel(display, screen);
    attributes.event_mask = StructureNotifyMask | KeyPressMask | KeyReleaseMask | ExposureMask;
    surface.window =
        XCreateWindow(display, root, 0, 0, static_cast<unsigned>(surface.width),
                      static_cast<unsigned>(surface.height), 0, surface.visual->depth, InputOutput,
                      surface.visual->visual, CWColormap | CWBackPixel | CWEventMask, &attributes);
    XStoreName(display, surface.window, kRendererWindowTitle);
    Atom closeRequest = XInternAtom(display, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(display, surface.window, &closeRequest, 1);
    if (fullScreen) {
        AskForFullScreen(display, surface.window);
    }
    XMapRaised(display, surface.window);
    XEvent event;
    XWindowEvent(display, surface.window, StructureNotifyMask, &event);
    while (event.type != MapNotify) {
        XWindowEvent(display, surface.window, StructureNotifyMask, &event);
    }
    XSetInputFocus(display, surface.window, RevertToParent, CurrentTime);
    return surface;
}

std::optional<Surface> AdoptWindow(Display* display, Window window) {
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display, window, &attributes)) {
        return std::nullopt;
    }
    Surface surface;
    surface.window = window;
    surface.width = attributes.width;
    surface.height = attributes.height;
    surface.visual = VisualOfWindow(display, attributes);
    XSelectInput(display, window, StructureNotifyMask | ExposureMask);
    return surface.visual != nullptr ? std::optional<Surface>(surface) : std::nullopt;
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
    return *picture;
}

// Returns true when the animation must end.
bool HandleEvent(Display* display, const XEvent& event, Surface& surface, bool& escapeDown) {
    switch (event.type) {
        case ConfigureNotify:
            if (event.xconfigure.window == surface.window) {
                surface.width = event.xconfigure.width;
                surface.height = event.xconfigure.height;
                ResizeViewport(surface.width, surface.height);
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
                   XInternAtom(display, "WM_DELETE_WINDOW", False);
        default:
            return false;
    }
}

// The same loop as the Windows renderer: draw when no event waits, swap, advance the clock,
// and look at Escape only at the end of a frame.
void Animate(Display* display, Surface& surface) {
    bool escapeDown = false;
    for (;;) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (HandleEvent(display, event, surface, escapeDown)) {
                return;
            }
        }
        if (stopRequested || windowLost) {
            return;
        }
        DrawFrame();
        glXSwapBuffers(display, surface.window);
        NoteSwappedFrame();
        AdvanceClock();
        if (escapeDown && surface.own) {
            return;
        }
    }
}

std::optional<Surface> MakeSurface(Display* display, int screen, const LaunchOptions& options) {
    switch (options.target) {
        case DrawTarget::ForeignWindow:
            return AdoptWindow(display, options.windowId);
        case DrawTarget::Root:
            return AdoptWindow(display, RootWindow(display, screen));
        case DrawTarget::Window:
            return MakeOwnWindow(display, screen, false);
        default:
            return MakeOwnWindow(display, screen, true);
    }
}

}  // namespace

int RunOnDisplay(const LaunchOptions& options) {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "vorlenta: cannot open the X display\n");
        return 1;
    }
    InstallStopSignals();
    XSetErrorHandler(NoteXError);
    const int screen = DefaultScreen(display);
    const BitmapImage desktop = TakeDesktop(display, screen, options);
    std::optional<Surface> surface = MakeSurface(display, screen, options);
    GLXContext context =
        surface ? glXCreateContext(display, surface->visual, nullptr, True) : nullptr;
    if (context == nullptr || !glXMakeCurrent(display, surface->window, context)) {
        std::fprintf(stderr, "vorlenta: no OpenGL context for the window\n");
        XCloseDisplay(display);
        return 1;
    }
    EnableSwapInterval(display, surface->window);
    ResizeViewport(surface->width, surface->height);
    InitScene(desktop);
    Animate(display, *surface);
    ReportFrameTiming();
    glXMakeCurrent(display, None, nullptr);
    glXDestroyContext(display, context);
    if (surface->own) {
        XDestroyWindow(display, surface->window);
    }
    XFree(surface->visual);
    XCloseDisplay(display);
    return 0;
}

int SaveDesktop(const LaunchOptions& options) {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "vorlenta: cannot open the X display\n");
        return 1;
    }
    const BitmapImage desktop = TakeDesktop(display, DefaultScreen(display), options);
    XCloseDisplay(display);
    if (!WritePng(options.out, desktop.width, desktop.height, desktop.pixels)) {
        std::fprintf(stderr, "vorlenta: cannot write %s\n", options.out.c_str());
        return 1;
    }
    return 0;
}
