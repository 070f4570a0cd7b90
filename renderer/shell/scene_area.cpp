#include "shell/scene_area.h"

#include <algorithm>

namespace {

const Monitor* PrimaryMonitor(const std::vector<Monitor>& monitors) {
    const auto marked = std::find_if(monitors.begin(), monitors.end(),
                                     [](const Monitor& monitor) { return monitor.primary; });
    if (marked != monitors.end()) {
        return &*marked;
    }
    return monitors.empty() ? nullptr : &monitors.front();
}

ScreenRect Intersection(const ScreenRect& a, const ScreenRect& b) {
    const int left = std::max(a.x, b.x);
    const int top = std::max(a.y, b.y);
    const int right = std::min(a.x + a.width, b.x + b.width);
    const int bottom = std::min(a.y + a.height, b.y + b.height);
    return {left, top, std::max(0, right - left), std::max(0, bottom - top)};
}

}  // namespace

ViewportRect SceneViewport(const ScreenRect& window, const std::vector<Monitor>& monitors) {
    const Monitor* primary = PrimaryMonitor(monitors);
    const ScreenRect shared =
        primary != nullptr ? Intersection(window, primary->area) : ScreenRect{};
    if (shared.width == 0 || shared.height == 0) {
        return {0, 0, window.width, window.height};
    }
    const int left = shared.x - window.x;
    const int top = shared.y - window.y;
    return {left, window.height - (top + shared.height), shared.width, shared.height};
}
