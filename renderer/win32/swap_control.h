#pragma once

#include <windows.h>

#include <chrono>

// How the shipped renderer paces its swaps; the benchmark build links a version of its own that
// leaves them unpaced, to measure what drawing costs.

// Ties buffer swaps to the display's refresh where the driver offers WGL_EXT_swap_control, at the
// interval that keeps frames evenly spaced on a display of REFRESHHERTZ. Needs a current context.
void EnableSwapControl(HDC device, int refreshHertz);

// The least time from one loop pass that swaps to the next.
std::chrono::microseconds LoopPeriod();
