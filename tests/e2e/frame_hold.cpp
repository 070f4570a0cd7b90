// Timing hooks for a renderer that holds its first frame on screen for a few seconds, so that a
// test can photograph frame 0 and compare it with the Linux program's frame 0.
#include <windows.h>

#include "timing/frame_timing.h"

namespace {

constexpr DWORD kHoldMs = 4000;

}  // namespace

void NoteSwappedFrame() {
    static bool first = true;
    if (first) {
        first = false;
        Sleep(kHoldMs);
    }
}

void ReportFrameTiming() {}
