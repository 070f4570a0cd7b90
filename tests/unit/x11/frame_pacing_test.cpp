#include "x11/frame_pacing.h"

#include <gtest/gtest.h>

using std::chrono::microseconds;
using std::chrono::milliseconds;

namespace {

const PacingClock::time_point kStart{};

}  // namespace

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
