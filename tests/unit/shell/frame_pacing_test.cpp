#include "shell/frame_pacing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using std::chrono::microseconds;
using std::chrono::milliseconds;
using std::chrono::nanoseconds;
using std::chrono::seconds;

namespace {

const PacingClock::time_point kStart{};

TEST(FramePacing, FramesComeEvenlyAPeriodApartAndNeverCatchUpInABurst) {
    struct Case {
        const char* what;
        microseconds now;  // since the last frame was due
        microseconds period;
        microseconds nextDue;
    };
    const Case cases[] = {
        {"drawn in time", microseconds(4000), microseconds(16667), microseconds(16667)},
        {"drawn late, still before the next", microseconds(16000), microseconds(16667),
         microseconds(16667)},
        {"drawn later than the next", microseconds(40000), microseconds(16667),
         microseconds(40000)},
        {"unthrottled", microseconds(3000), microseconds(0), microseconds(3000)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NextFrameDue(kStart, kStart + c.now, c.period), kStart + c.nextDue) << c.what;
    }
}

// A display and a driver as the loop meets them: how long drawing a frame takes, and whether a
// swap waits for the display's refresh (at the interval the rule asks for) or returns at once.
struct Machine {
    int hertz;
    bool swapWaitsForDisplay;
    microseconds drawing;
};

struct Pace {
    int swapInterval;
    double passesPerSecond;
    nanoseconds shortestGap;
    nanoseconds longestGap;
};

// Ten seconds of the loop on MACHINE: wait until the pass is due, draw, swap, take the next due.
Pace RunLoop(const Machine& machine) {
    const int interval = SwapIntervalForRefreshRate(machine.hertz);
    const nanoseconds refresh(machine.hertz > 1 ? 1000000000 / machine.hertz : 0);
    std::vector<PacingClock::time_point> swaps;
    PacingClock::time_point now = kStart;
    PacingClock::time_point due = kStart;
    long lastRefresh = -interval;
    while (now < kStart + seconds(10)) {
        now = std::max(now, due) + machine.drawing;
        if (machine.swapWaitsForDisplay) {
            const long refreshes = ((now - kStart) + refresh - nanoseconds(1)) / refresh;
            lastRefresh = std::max(refreshes, lastRefresh + interval);
            now = kStart + lastRefresh * refresh;
        }
        swaps.push_back(now);
        due = NextFrameDue(due, now, kShowFramePeriod);
    }
    // The first second settles the loop into its pace.
    const auto settled = std::find_if(swaps.begin(), swaps.end(), [](PacingClock::time_point t) {
        return t >= kStart + seconds(1);
    });
    Pace pace{interval, 0.0, nanoseconds::max(), nanoseconds::zero()};
    for (auto swap = settled + 1; swap != swaps.end(); ++swap) {
        pace.shortestGap = std::min(pace.shortestGap, *swap - *(swap - 1));
        pace.longestGap = std::max(pace.longestGap, *swap - *(swap - 1));
    }
    const std::chrono::duration<double> span = swaps.back() - *settled;
    pace.passesPerSecond = static_cast<double>(swaps.end() - settled - 1) / span.count();
    return pace;
}

TEST(FramePacing, AtMostSixtyPassesASecondEvenlySpacedOnEveryDisplayWhoseRateAllowsIt) {
    constexpr microseconds kFast(1000);
    constexpr microseconds kSlow(25000);
    struct Case {
        Machine machine;
        int swapInterval;
        double passesPerSecond;
        bool evenlySpaced;
    };
    const Case cases[] = {
        {{59, true, kFast}, 1, 59.0, true},
        {{60, true, kFast}, 1, 60.0, true},
        {{75, true, kFast}, 1, 60.0, false},
        {{119, true, kFast}, 2, 59.5, true},
        {{120, true, kFast}, 2, 60.0, true},
        {{144, true, kFast}, 1, 60.0, false},
        {{240, true, kFast}, 4, 60.0, true},
        {{0, false, kFast}, 1, 60.0, true},
        // A driver that ignores the swap interval (turned off in its control panel).
        {{240, false, kFast}, 4, 60.0, true},
        // A slow driver is shown slowly: every pass still comes, none is skipped.
        {{60, true, kSlow}, 1, 30.0, true},
        {{144, true, kSlow}, 1, 36.0, true},
        {{0, false, kSlow}, 1, 40.0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.machine.hertz << " Hz, swap "
                                          << (c.machine.swapWaitsForDisplay ? "waits" : "returns")
                                          << ", drawing " << c.machine.drawing.count() << " us");
        const Pace pace = RunLoop(c.machine);
        EXPECT_EQ(pace.swapInterval, c.swapInterval);
        EXPECT_NEAR(pace.passesPerSecond, c.passesPerSecond, 0.05);
        if (c.evenlySpaced) {
            const auto spread = pace.longestGap - pace.shortestGap;
            EXPECT_LE(std::chrono::duration_cast<microseconds>(spread).count(), 100);
        }
    }
}

TEST(FramePacing, TheReadOutShowsTheRateOfTheLastSecond) {
    FrameRateMeter meter;
    EXPECT_EQ(meter.Text(), "FPS: --");
    for (int frame = 0; frame <= 30; ++frame) {  // 30 frames a second for a second
        meter.NoteFrame(kStart + microseconds(frame * 33334));
    }
    EXPECT_EQ(meter.Text(), "FPS: 30.0");
    for (int frame = 1; frame <= 120; ++frame) {  // then 60 a second
        meter.NoteFrame(kStart + milliseconds(1000) + microseconds(frame * 16667));
    }
    EXPECT_EQ(meter.Text(), "FPS: 60.0");
}

}  // namespace
