#pragma once

#include <windows.h>

#include <cstdint>

// The start-up module's zoom animation between the mouse position and a window, as the
// settings dialog opens and closes.

// The mouse position when the dialog loaded (screen pixels), or 0, 0 when it was unavailable.
extern std::int16_t ZoomX;
extern std::int16_t ZoomY;

void Zoom_Open(HWND window);
void Zoom_Close(HWND window);
