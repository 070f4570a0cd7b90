#include "shell/screen_rules.h"

#include <gtest/gtest.h>

TEST(ScreenRules, CoversEveryMonitorButTheFilledOne) {
    const ScreenRect primary{0, 0, 1024, 768};
    const ScreenRect right{1024, 0, 1024, 768};
    const ScreenRect left{-1280, 0, 1280, 1024};
    EXPECT_EQ(MonitorsToCover({primary}, primary), std::vector<ScreenRect>{});
    EXPECT_EQ(MonitorsToCover({left, primary, right}, primary),
              (std::vector<ScreenRect>{left, right}));
    // A window on no monitor (the windowed show standing across two) covers them all.
    EXPECT_EQ(MonitorsToCover({primary, right}, ScreenRect{}),
              (std::vector<ScreenRect>{primary, right}));
}

struct ActivationCase {
    const char* what;
    std::vector<bool> before;  // what the program was told before the change looked at
    bool ending;               // the show is already ending
    bool active;
    bool endsShow;
};

TEST(ScreenRules, TheShowEndsOnceWhenAnotherProgramTakesTheActivationFromIt) {
    const ActivationCase cases[] = {
        {"another program takes the activation", {true}, false, false, true},
        {"the renderer gains it", {}, false, true, false},
        {"lost before the show was ever active", {}, false, false, false},
        {"lost again after it has ended the show", {true, false}, false, false, false},
        {"taken back and lost again", {true, false, true}, false, false, false},
        {"lost while the show is ending anyway", {true}, true, false, false},
    };
    for (const ActivationCase& given : cases) {
        ActivationWatch watch;
        for (const bool active : given.before) {
            watch.EndsShow(active);
        }
        if (given.ending) {
            watch.ShowEnding();
        }
        EXPECT_EQ(watch.EndsShow(given.active), given.endsShow) << given.what;
    }
}
