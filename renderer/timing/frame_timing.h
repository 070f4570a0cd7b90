#pragma once

// Hooks for the benchmark build, which times the buffer swaps; the shipped renderer links
// empty ones.
void NoteSwappedFrame();
void ReportFrameTiming();
