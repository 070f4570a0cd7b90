#pragma once

#include <X11/Xlib.h>

#include <optional>

#include "bitmap/bitmap_reader.h"

// The desktop picture as the scene takes it (rows bottom first, RGB), from a drawable of the
// display: the root window, or a pixmap XScreenSaver filled.
std::optional<BitmapImage> GrabDrawable(Display* display, Drawable drawable, int width, int height);

// The desktop for a window XScreenSaver made: its helper xscreensaver-getimage puts the
// picture of the desktop from before the screen was blanked into a pixmap. None when the helper
// is missing or fails.
std::optional<BitmapImage> GrabDesktopForScreenSaver(Display* display, Window window);
