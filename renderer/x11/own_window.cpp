#include "x11/own_window.h"

#include <X11/Xatom.h>
#include <unistd.h>

#include "hand_off/hand_off.h"

namespace {

void NameForWindowManager(Display* display, Window window) {
    XStoreName(display, window, kRendererWindowTitle);
    char resourceName[] = "vorlenta";
    char resourceClass[] = "Vorlenta";
    XClassHint classHint{resourceName, resourceClass};
    XSetClassHint(display, window, &classHint);
    // _NET_WM_PID is only meaningful beside the host it belongs to.
    char host[256] = {};
    gethostname(host, sizeof host - 1);
    char* hostList[] = {host};
    XTextProperty hostProperty{};
    if (XStringListToTextProperty(hostList, 1, &hostProperty)) {
        XSetWMClientMachine(display, window, &hostProperty);
        XFree(hostProperty.value);
    }
    const long pid = getpid();
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_PID", False), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(&pid), 1);
    Atom closeRequest = XInternAtom(display, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(display, window, &closeRequest, 1);
}

// Before the window is mapped the window manager reads the state from the property.
void AskForFullScreenAtMap(Display* display, Window window) {
    const Atom fullScreen = XInternAtom(display, "_NET_WM_STATE_FULLSCREEN", False);
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_STATE", False), XA_ATOM, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(&fullScreen), 1);
}

// Once mapped, only a message to the root window changes the state; some window managers place
// the window before they read the property, so it is asked again.
void AskForFullScreenWhenMapped(Display* display, int screen, Window window) {
    XEvent request{};
    request.xclient.type = ClientMessage;
    request.xclient.window = window;
    request.xclient.message_type = XInternAtom(display, "_NET_WM_STATE", False);
    request.xclient.format = 32;
    request.xclient.data.l[0] = 1;  // _NET_WM_STATE_ADD
    request.xclient.data.l[1] =
        static_cast<long>(XInternAtom(display, "_NET_WM_STATE_FULLSCREEN", False));
    request.xclient.data.l[3] = 1;  // from a normal application
    XSendEvent(display, RootWindow(display, screen), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &request);
}

void HidePointer(Display* display, Window window) {
    static const char kNoBits[1] = {0};
    const Pixmap blank = XCreateBitmapFromData(display, window, kNoBits, 1, 1);
    XColor black{};
    const Cursor invisible = XCreatePixmapCursor(display, blank, blank, &black, &black, 0, 0);
    XDefineCursor(display, window, invisible);
    XFreeCursor(display, invisible);
    XFreePixmap(display, blank);
}

void WaitUntilMapped(Display* display, Window window) {
    XEvent event;
    do {
        XWindowEvent(display, window, StructureNotifyMask, &event);
    } while (event.type != MapNotify);
}

}  // namespace

Window MakeOwnWindow(Display* display, int screen, const XVisualInfo& visual, int width, int height,
                     bool fullScreen) {
    const Window root = RootWindow(display, screen);
    XSetWindowAttributes attributes{};
    attributes.colormap = XCreateColormap(display, root, visual.visual, AllocNone);
    attributes.background_pixel = BlackPixel(display, screen);
    attributes.border_pixel = 0;
    attributes.event_mask = StructureNotifyMask | KeyPressMask | KeyReleaseMask | ExposureMask;
    const Window window =
        XCreateWindow(display, root, 0, 0, static_cast<unsigned>(width),
                      static_cast<unsigned>(height), 0, visual.depth, InputOutput, visual.visual,
                      CWColormap | CWBackPixel | CWBorderPixel | CWEventMask, &attributes);
    NameForWindowManager(display, window);
    if (fullScreen) {
        AskForFullScreenAtMap(display, window);
        HidePointer(display, window);
    }
    XMapRaised(display, window);
    WaitUntilMapped(display, window);
    if (fullScreen) {
        AskForFullScreenWhenMapped(display, screen, window);
    }
    XSetInputFocus(display, window, RevertToParent, CurrentTime);
    return window;
}
