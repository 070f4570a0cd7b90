// The benchmark build measures the program unthrottled: it only reports whether the driver
// offers a swap interval (which the shipped program would set) and leaves it alone.
#include "x11/swap_interval.h"

#include "frame_timing_report.h"
#include "x11/glx_extensions.h"

void EnableSwapInterval(Display* display, GLXDrawable) {
    PrintBenchFigure("swap_control_offered",
                     GlxExtensionOffered(display, "GLX_EXT_swap_control") ||
                         GlxExtensionOffered(display, "GLX_MESA_swap_control"));
}
