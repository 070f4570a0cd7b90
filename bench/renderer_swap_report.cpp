// The benchmark build measures the renderer unthrottled: it only reports whether the driver
// offers WGL_EXT_swap_control (which the shipped renderer would switch on), leaves the swap
// interval alone and lets the loop pass as fast as it can.
#include "win32/swap_control.h"

#include "frame_timing_report.h"
#include "win32/wgl_functions.h"

void EnableSwapControl(HDC device, int) {
    PrintBenchFigure("swap_control_offered", WglExtensionOffered(device, "WGL_EXT_swap_control"));
}

std::chrono::microseconds LoopPeriod() {
    return std::chrono::microseconds::zero();
}
