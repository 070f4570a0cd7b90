#pragma once

#include <GL/glx.h>

#include "shell/visual_choice.h"

// The visual of the program's own window: the one -visual names where OpenGL can draw the scene
// in it, else (saying so on stderr) the GL library's choice. None when the display has no
// visual for OpenGL at all. Free it with XFree.
XVisualInfo* ChooseOwnVisual(Display* display, int screen, const VisualRequest& request);

// The visual of a window someone else made, which the context must be made for. Free it with
// XFree.
XVisualInfo* VisualOfWindow(Display* display, Visual* visual);

// Whether OpenGL can draw the scene in VISUAL at all: it takes RGBA.
bool CanDrawScene(Display* display, XVisualInfo* visual);
