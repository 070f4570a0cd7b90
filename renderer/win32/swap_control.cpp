#include "win32/swap_control.h"

#include <windows.h>

namespace {

using SwapIntervalProc = BOOL(WINAPI*)(int interval);
using AnyProc = void (*)();

// wglGetProcAddress hands out a generic pointer; the detour through void(*)() is the
// sanctioned way to give it its real type.
SwapIntervalProc FindSwapIntervalProc() {
    const PROC found = wglGetProcAddress("wglSwapIntervalEXT");
    return reinterpret_cast<SwapIntervalProc>(reinterpret_cast<AnyProc>(found));
}

}  // namespace

// Without the extension the swaps run unthrottled, as fast as the driver returns them.
void EnableSwapControl() {
    const SwapIntervalProc setSwapInterval = FindSwapIntervalProc();
    if (setSwapInterval != nullptr) {
        setSwapInterval(1);
    }
}
