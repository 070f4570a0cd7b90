// The renderer's timing hooks for its benchmark build: time to the first swapped frame, the
// frame rate of the first sphere phase (frames 1-400) and of the whole run.
#include "timing/frame_timing.h"

#include "frame_timing_report.h"

namespace {

constexpr long kSpherePhaseFrames = 400;

long swappedFrames = 0;
double firstSwapSeconds = 0.0;

}  // namespace

void NoteSwappedFrame() {
    ++swappedFrames;
    if (swappedFrames == 1) {
        firstSwapSeconds = CounterSeconds();
        PrintBenchFigure("first_swap_ms", MillisecondsSinceProcessStart());
    } else if (swappedFrames == kSpherePhaseFrames + 1) {
        PrintBenchFigure("sphere_phase_fps",
                         kSpherePhaseFrames / (CounterSeconds() - firstSwapSeconds));
    }
}

void ReportFrameTiming() {
    const double seconds = CounterSeconds() - firstSwapSeconds;
    PrintBenchFigure("frames", static_cast<double>(swappedFrames));
    if (swappedFrames > 1 && seconds > 0.0) {
        PrintBenchFigure("fps", (swappedFrames - 1) / seconds);
    }
}
