#pragma once

#include <windows.h>

#include <cstddef>

// The fixed Win32 records of the renderer, kept apart from the calls that use them so their
// exact fields can be checked.

// MinGW's DEVMODEA carries the later panning fields; the display-mode request is the classic
// form that ends before them (148 bytes), and ChangeDisplaySettingsA reads only dmSize bytes.
constexpr WORD kClassicDevModeSize = offsetof(DEVMODEA, dmPanningWidth);

// The display-mode request: size, width, height and depth, and the refresh rate where one is
// given (above 1 Hz; 0 and 1 are how Windows says it does not know), else the driver's default.
DEVMODEA MakeFullScreenMode(int width, int height, int bits, int refreshHertz);

// Double-buffered RGBA window drawing with a 16-bit depth buffer and nothing else.
PIXELFORMATDESCRIPTOR MakePixelFormatDescriptor(int bits);

// The system's requests to start a screen saver or power the monitor down are swallowed while
// the renderer runs; the comparison is exact.
bool IsSwallowedSysCommand(WPARAM command);
