#pragma once

#include <windows.h>

// Runs the animation until WM_QUIT arrives or Escape is down at the end of a frame; never
// waits for messages. Returns the wParam of the last message retrieved.
WPARAM RunMessageLoop();
