#pragma once

#include <windows.h>

// Hooks for the benchmark build, which times the run form's steps; the shipped screen saver
// links empty ones.
enum class RunStep { Loading, Captured, Saved };

void NoteRunStep(RunStep step);
void NoteRendererStarted(HANDLE rendererProcess);
