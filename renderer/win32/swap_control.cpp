#include "win32/swap_control.h"

#include "shell/frame_pacing.h"
#include "win32/wgl_functions.h"

// Without the extension the loop's own pace is all there is.
void EnableSwapControl(HDC device, int refreshHertz) {
    using SwapInterval = BOOL(WINAPI*)(int interval);
    if (!WglExtensionOffered(device, "WGL_EXT_swap_control")) {
        return;
    }
    if (const auto setSwapInterval = FindGlFunction<SwapInterval>("wglSwapIntervalEXT")) {
        setSwapInterval(SwapIntervalForRefreshRate(refreshHertz));
    }
}

std::chrono::microseconds LoopPeriod() {
    return kShowFramePeriod;
}
