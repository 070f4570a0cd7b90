#pragma once

#include <windows.h>

// Runs the animation until WM_QUIT arrives or Escape is down at the end of a frame. Every
// message is handled as it comes; between frames the loop waits for the next to be due, so that
// the show keeps its pace on every display and driver. Returns the wParam of the last message
// retrieved.
WPARAM RunMessageLoop();
