#include "shell/screen_rules.h"

#include <gtest/gtest.h>

using Steps = std::vector<ScreenStep>;

TEST(ScreenRules, CoversEveryMonitorButTheFilledOne) {
    const ScreenRect primary{0, 0, 1024, 768};
    const ScreenRect right{1024, 0, 2048, 768};
    const ScreenRect left{-1280, 0, 0, 1024};
    EXPECT_EQ(MonitorsToCover({primary}, primary), std::vector<ScreenRect>{});
    EXPECT_EQ(MonitorsToCover({left, primary, right}, primary),
              (std::vector<ScreenRect>{left, right}));
    // A window on no monitor (the windowed show standing across two) covers them all.
    EXPECT_EQ(MonitorsToCover({primary, right}, ScreenRect{}),
              (std::vector<ScreenRect>{primary, right}));
}

TEST(ScreenRules, AFullScreenShowGivesTheScreenBackOnceAndTakesItOnceOnReturn) {
    ScreenKeeper keeper(true);
    EXPECT_EQ(keeper.Activated(true), Steps{});  // the show's own start
    EXPECT_EQ(keeper.Activated(false),
              (Steps{ScreenStep::UncoverOtherMonitors, ScreenStep::GiveBackDisplayMode,
                     ScreenStep::MinimiseWindow}));
    EXPECT_EQ(keeper.Activated(false), Steps{});
    EXPECT_EQ(keeper.Activated(true), (Steps{ScreenStep::TakeDisplayMode, ScreenStep::RestoreWindow,
                                             ScreenStep::CoverOtherMonitors}));
    EXPECT_EQ(keeper.Activated(true), Steps{});
}

TEST(ScreenRules, AWindowedShowNeverTouchesTheDisplayMode) {
    for (const bool failedOnReturn : {false, true}) {
        ScreenKeeper keeper(failedOnReturn);  // windowed from the start, or after a failed return
        if (failedOnReturn) {
            keeper.Activated(false);
            keeper.Activated(true);
            keeper.TakingFailed();
        }
        EXPECT_EQ(keeper.Activated(false), Steps{ScreenStep::UncoverOtherMonitors});
        EXPECT_EQ(keeper.Activated(true), Steps{ScreenStep::CoverOtherMonitors});
    }
}
