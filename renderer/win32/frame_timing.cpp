#include "win32/frame_timing.h"

// The shipped renderer keeps no timings.
void NoteSwappedFrame() {}
void ReportFrameTiming() {}
