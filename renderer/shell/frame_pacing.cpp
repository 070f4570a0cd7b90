#include "shell/frame_pacing.h"

#include <algorithm>
#include <cstdio>

PacingClock::time_point NextFrameDue(PacingClock::time_point lastDue, PacingClock::time_point now,
                                     std::chrono::microseconds period) {
    return std::max(lastDue + period, now);
}

int SwapIntervalForRefreshRate(int hertz) {
    constexpr int kShowRate = 60;
    const int whole = hertz / kShowRate;
    const int rest = hertz % kShowRate;
    const int multiple = rest == kShowRate - 1 ? whole + 1 : whole;
    const bool nearMultiple = rest <= 1 || rest == kShowRate - 1;
    return nearMultiple && multiple >= 1 ? multiple : 1;
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
