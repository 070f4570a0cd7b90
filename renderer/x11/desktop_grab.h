#pragma once

#include <X11/Xlib.h>

#include <optional>

#include "bitmap/bitmap_reader.h"
#include "shell/desktop_pixels.h"

// The desktop picture as the scene takes it (rows bottom first, RGB), from a drawable of the
// display: the root window, or a pixmap XScreenSaver filled, whose pixels are laid out as
// pixelLayout's.
std::optional<BitmapImage> GrabDrawable(Display* display, Drawable drawable,
                                        const Visual& pixelLayout, int width, int height);

// The picture for a window XScreenSaver made, from its helper xscreensaver-getimage: the desktop
// from before the screen was blanked where the user allows that, else what the user chose
// instead. None when the helper is missing or fails.
std::optional<BitmapImage> GrabDesktopForScreenSaver(Display* display, Window window);

// The picture of an image X handed over, its pixels read as rgb says: rows of 32-bit
// little-endian values straight from their bytes, any other layout (a 16-bit display, the other
// byte order) through Xlib pixel by pixel.
BitmapImage PictureOfImage(XImage& image, const RgbFromPixel& rgb);
