#pragma once

#include <chrono>
#include <string>

// The show's pace, the same under every shell. Every step of the animation is a step per loop
// pass, made for displays of about 60 Hz; today's displays refresh at 75 to 240 Hz, and some
// drivers do not wait for the display at all. So a loop pass that swaps comes at most once a
// period, whatever the display and driver; below that rate every pass still steps the animation
// once, so a slow machine shows the show slowly rather than skipping any of it.

using PacingClock = std::chrono::steady_clock;

// 60 loop passes a second.
constexpr std::chrono::microseconds kShowFramePeriod{16667};

// When the next frame may start: a period after the last one was due, so that frames come at an
// even pace, or at once when drawing fell behind, so that a slow frame is not followed by a burst
// of fast ones to catch up. Frames never come faster than one a period.
PacingClock::time_point NextFrameDue(PacingClock::time_point lastDue, PacingClock::time_point now,
                                     std::chrono::microseconds period);

// The swap interval to ask of a driver that can tie swaps to the display's refresh: on a display
// refreshing at a whole multiple of 60 Hz (within 1 Hz: 59 and 119 Hz count as 60 and 120), the
// multiple, so that every pass waits the same number of refreshes and frames stay evenly
// spaced; on any other display 1, the pace then being kept by the period alone. A rate of 0 or 1
// is how Windows says it does not know.
int SwapIntervalForRefreshRate(int hertz);

// The frame rate as the -fps read-out shows it, counted over about a second at a time so that it
// can be read while it changes.
class FrameRateMeter {
  public:
    void NoteFrame(PacingClock::time_point shown);
    // "FPS: 59.9", or "FPS: --" until a first second has been counted.
    std::string Text() const;

  private:
    bool started_ = false;
    PacingClock::time_point countStart_;
    long framesCounted_ = 0;
    double framesPerSecond_ = -1.0;
};
