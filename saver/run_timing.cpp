#include "run_timing.h"

void NoteRunStep(RunStep) {}

void NoteRendererStarted(HANDLE) {}
