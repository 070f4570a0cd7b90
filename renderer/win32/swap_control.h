#pragma once

// Ties buffer swaps to the display's refresh where the driver offers WGL_EXT_swap_control, so
// the per-frame animation keeps the pace it was made for. Needs a current GL context.
void EnableSwapControl();
