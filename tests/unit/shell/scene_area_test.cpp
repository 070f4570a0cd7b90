#include "shell/scene_area.h"

#include <gtest/gtest.h>

static bool operator==(const ViewportRect& a, const ViewportRect& b) {
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

static std::ostream& operator<<(std::ostream& out, const ViewportRect& r) {
    return out << r.x << "," << r.y << " " << r.width << "x" << r.height;
}

namespace {

// Two heads side by side, as Xephyr makes them: 1280 x 1024 at the left, 1024 x 768 at the right.
const Monitor kLeft{{0, 0, 1280, 1024}, false};
const Monitor kRight{{1280, 0, 1024, 768}, false};

Monitor Primary(Monitor monitor) {
    monitor.primary = true;
    return monitor;
}

}  // namespace

TEST(SceneArea, TheSceneTakesThePartOfTheWindowOnThePrimaryMonitor) {
    const ScreenRect wholeRoot{0, 0, 2304, 1024};
    struct Case {
        const char* what;
        ScreenRect window;
        std::vector<Monitor> monitors;
        ViewportRect viewport;  // GL's: from the bottom left
    };
    const Case cases[] = {
        {"no monitors known", wholeRoot, {}, {0, 0, 2304, 1024}},
        {"none marked: the first", wholeRoot, {kLeft, kRight}, {0, 0, 1280, 1024}},
        {"the right one marked", wholeRoot, {kLeft, Primary(kRight)}, {1280, 256, 1024, 768}},
        {"a window across both", {1000, 100, 600, 400}, {Primary(kLeft), kRight}, {0, 0, 280, 400}},
        {"a window on the other head only",
         {1400, 100, 600, 400},
         {Primary(kLeft), kRight},
         {0, 0, 600, 400}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SceneViewport(c.window, c.monitors), c.viewport) << c.what;
    }
}
