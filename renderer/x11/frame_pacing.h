#pragma once

#include <chrono>
#include <string>

using PacingClock = std::chrono::steady_clock;

// When the next frame may start: a period after the last one was due, so that frames come at an
// even pace, or at once when drawing fell behind, so that a slow frame is not followed by a burst
// of fast ones to catch up. Frames never come faster than one a period.
PacingClock::time_point NextFrameDue(PacingClock::time_point lastDue, PacingClock::time_point now,
                                     std::chrono::microseconds period);

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
