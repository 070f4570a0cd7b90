#include "settings/zoom.h"

std::int16_t ZoomX = 0;
std::int16_t ZoomY = 0;

namespace {

RECT ZoomPoint() {
    return RECT{ZoomX, ZoomY, ZoomX, ZoomY};
}

RECT WindowRectangle(HWND window) {
    RECT bounds{};
    GetWindowRect(window, &bounds);
    return bounds;
}

}  // namespace

void Zoom_Open(HWND window) {
    const RECT from = ZoomPoint();
    const RECT to = WindowRectangle(window);
    DrawAnimatedRects(window, IDANI_CAPTION, &from, &to);
}

void Zoom_Close(HWND window) {
    const RECT from = WindowRectangle(window);
    const RECT to = ZoomPoint();
    DrawAnimatedRects(window, IDANI_CAPTION, &from, &to);
}
