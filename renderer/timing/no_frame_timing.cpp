#include "timing/frame_timing.h"

// The shipped renderer keeps no timings.
void NoteSwappedFrame() {}
void ReportFrameTiming() {}
