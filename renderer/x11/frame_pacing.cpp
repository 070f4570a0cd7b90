#include "x11/frame_pacing.h"

#include <algorithm>
#include <cstdio>

PacingClock::time_point NextFrameDue(PacingClock::time_point lastDue, PacingClock::time_point now,
                                     std::chrono::microseconds period) {
    return std::max(lastDue + period, now);
}

void FrameRateMeter::NoteFrame(PacingClock::time_point shown) {
    if (!started_) {
        started_ = true;
        countStart_ = shown;
        return;
    }
    ++framesCounted_;
    const std::chrono::duration<double> counted = shown - countStart_;
    if (counted.count() >= 1.0) {
        framesPerSecond_ = framesCounted_ / counted.count();
        framesCounted_ = 0;
        countStart_ = shown;
    }
}

std::string FrameRateMeter::Text() const {
    if (framesPerSecond_ < 0.0) {
        return "FPS: --";
    }
    char text[32];
    std::snprintf(text, sizeof text, "FPS: %.1f", framesPerSecond_);
    return text;
}
