#pragma once

#include <X11/Xlib.h>

#include <vector>

#include "shell/scene_area.h"

// The monitors the root window of SCREEN spans: from RandR 1.5, which marks the primary one, or
// from Xinerama, whose first screen is the primary one. Empty where neither tells.
std::vector<Monitor> QueryMonitors(Display* display, int screen);

// Where WINDOW lies on its root window.
ScreenRect PlaceOnRoot(Display* display, Window window, int width, int height);
