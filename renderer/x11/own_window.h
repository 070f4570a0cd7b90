#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>

// The program's own window, as a well-behaved X client makes it: named, with its class
// ("vorlenta", "Vorlenta"), its process id and host for the window manager, closed through
// WM_DELETE_WINDOW. A full-screen one covers the whole root, asks the window manager for full
// screen and hides the pointer. Returns once the window is mapped and has the focus.
Window MakeOwnWindow(Display* display, int screen, const XVisualInfo& visual, int width, int height,
                     bool fullScreen);
