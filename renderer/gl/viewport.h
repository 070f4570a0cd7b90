#pragma once

// Viewport and perspective projection for a client area of the given size; leaves the
// modelview matrix current and reset.
void ResizeViewport(int width, int height);
