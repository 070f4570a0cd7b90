// The screen saver's timing hooks for its benchmark build: milliseconds from its process
// creation to the start of the run form's load, the end of the capture and of the save, and
// when the renderer's process was created (as an absolute time, so that the renderer's own
// figures, counted from its creation, can be put on the same clock).
#include "run_timing.h"

#include <windows.h>

#include "frame_timing_report.h"

namespace {

const char* KeyOf(RunStep step) {
    switch (step) {
        case RunStep::Loading:
            return "load_ms";
        case RunStep::Captured:
            return "captured_ms";
        case RunStep::Saved:
            break;
    }
    return "saved_ms";
}

double UnixMilliseconds(const FILETIME& time) {
    const ULONGLONG ticks =
        (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    return static_cast<double>(ticks) / 10000.0 - 11644473600000.0;
}

}  // namespace

void NoteRunStep(RunStep step) {
    PrintBenchFigure(KeyOf(step), MillisecondsSinceProcessStart());
}

void NoteRendererStarted(HANDLE rendererProcess) {
    PrintBenchFigure("renderer_started_ms", MillisecondsSinceProcessStart());
    FILETIME creation, exitTime, kernel, user, self;
    if (GetProcessTimes(rendererProcess, &creation, &exitTime, &kernel, &user)) {
        PrintBenchFigure("renderer_created_unix_ms", UnixMilliseconds(creation));
    }
    if (GetProcessTimes(GetCurrentProcess(), &self, &exitTime, &kernel, &user)) {
        PrintBenchFigure("saver_created_unix_ms", UnixMilliseconds(self));
    }
}
