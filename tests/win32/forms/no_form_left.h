#pragma once

#include <windows.h>

#include "forms/runtime.h"

// The program has no form left to live for: its event loop returns at once, leaving a quit
// request posted before it untouched.
inline bool NoFormLeft() {
    PostQuitMessage(0);
    forms::Runtime::Run();
    MSG quit;
    return PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
}
