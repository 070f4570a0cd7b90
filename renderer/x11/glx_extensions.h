#pragma once

#include <X11/Xlib.h>

// Whether the GLX of the display's default screen lists NAME among its extensions. Through
// GLVND, glXGetProcAddress answers for any name, so only the list tells what the driver does.
bool GlxExtensionOffered(Display* display, const char* name);
