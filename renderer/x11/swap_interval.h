#pragma once

#include <GL/glx.h>

// Ties buffer swaps to the display's refresh where the driver offers a GLX swap-interval
// extension, so the per-frame animation keeps the pace it was made for. Needs a current context.
void EnableSwapInterval(Display* display, GLXDrawable drawable);
