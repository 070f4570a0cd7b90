#include "x11/swap_interval.h"

#include "x11/glx_extensions.h"

namespace {

template <typename Function>
Function GlxFunction(const char* name) {
    return reinterpret_cast<Function>(glXGetProcAddress(reinterpret_cast<const GLubyte*>(name)));
}

}  // namespace

void EnableSwapInterval(Display* display, GLXDrawable drawable) {
    if (GlxExtensionOffered(display, "GLX_EXT_swap_control")) {
        using SwapIntervalExt = void (*)(Display*, GLXDrawable, int);
        GlxFunction<SwapIntervalExt>("glXSwapIntervalEXT")(display, drawable, 1);
    } else if (GlxExtensionOffered(display, "GLX_MESA_swap_control")) {
        using SwapIntervalMesa = int (*)(unsigned);
        GlxFunction<SwapIntervalMesa>("glXSwapIntervalMESA")(1);
    }
}
