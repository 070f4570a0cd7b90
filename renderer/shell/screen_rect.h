#pragma once

// A rectangle of the screen, in the windowing system's coordinates (origin at the top left): a
// monitor, an output, or where a window lies.
struct ScreenRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool operator==(const ScreenRect& other) const {
        return x == other.x && y == other.y && width == other.width && height == other.height;
    }
};
