// The benchmark build measures the renderer unthrottled: it only reports whether the driver
// offers WGL_EXT_swap_control (which the shipped renderer would switch on) and leaves the
// swap interval alone.
#include "win32/swap_control.h"

#include <windows.h>

#include "frame_timing_report.h"

void EnableSwapControl() {
    PrintBenchFigure("swap_control_offered", wglGetProcAddress("wglSwapIntervalEXT") != nullptr);
}
