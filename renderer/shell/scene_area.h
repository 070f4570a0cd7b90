#pragma once

#include <vector>

#include "shell/screen_rect.h"

struct Monitor {
    ScreenRect area;
    bool primary = false;
};

// A GL viewport: origin at the bottom left of the window.
struct ViewportRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// Where in a window the scene is drawn: the part of the window on the primary monitor (the first
// one where none is marked), so that the sphere is not split across a bezel; the whole window
// where there are no monitors to tell or the window is not on the primary one. The rest of the
// window stays black. window: the window's place on the root.
ViewportRect SceneViewport(const ScreenRect& window, const std::vector<Monitor>& monitors);
