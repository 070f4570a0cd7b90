// Timing hooks for a renderer that holds one frame on screen until it is ended, so that a test
// can photograph it: the frame numbered by VORLENTA_HOLD_FRAME (0 when unset). Once that frame
// has been swapped it writes the file that VORLENTA_HOLD_SIGNAL names, which the test waits for.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "timing/frame_timing.h"

namespace {

long HeldFrame() {
    const char* frame = std::getenv("VORLENTA_HOLD_FRAME");
    return frame != nullptr ? std::strtol(frame, nullptr, 10) : 0;
}

void SignalHeld() {
    const char* signal = std::getenv("VORLENTA_HOLD_SIGNAL");
    if (signal == nullptr) {
        return;
    }
    if (std::FILE* file = std::fopen(signal, "w")) {
        std::fclose(file);
    }
}

}  // namespace

void NoteSwappedFrame() {
    static long swapped = 0;
    if (swapped++ == HeldFrame()) {
        SignalHeld();
        Sleep(INFINITE);
    }
}

void ReportFrameTiming() {}
