#pragma once

#include <windows.h>

// Process-wide state of the renderer's shell (one window, one thread).
extern bool keyDown[256];    // indexed by virtual-key code; true while the key is held
extern bool windowActive;    // frames are drawn only while the window is not minimised
extern bool fullScreenMode;  // the display mode was switched and must be restored

// Switches the display (falling back to a window), creates and shows the window with its GL
// context current and the projection set. On failure everything already made is torn down
// again.
bool OpenRenderWindow(const char* title, int width, int height, int bits, bool fullScreen);

// Releases whatever exists, each handle once, and restores the display mode and cursor when
// they were changed. Safe to call with only some handles made.
void CloseRenderWindow();

LRESULT CALLBACK RenderWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The device context the loop swaps.
HDC RenderDeviceContext();
