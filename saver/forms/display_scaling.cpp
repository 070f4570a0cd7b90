#include "forms/display_scaling.h"

#include <windows.h>

#include "system/system_library.h"

namespace forms {
namespace {

// Windows 10 version 1607 and later: the thread's own awareness, version 2 from 1703 on.
bool UsePerMonitorThreadAwareness() {
    using SetThreadContext = DPI_AWARENESS_CONTEXT(WINAPI*)(DPI_AWARENESS_CONTEXT);
    const auto setThread =
        SystemFunction<SetThreadContext>(L"user32.dll", "SetThreadDpiAwarenessContext");
    if (setThread == nullptr) {
        return false;
    }
    return setThread(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2) != nullptr ||
           setThread(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE) != nullptr;
}

// Windows 8.1: the process's awareness, from the shell's scaling library.
bool UsePerMonitorProcessAwareness() {
    constexpr int kProcessPerMonitorDpiAware = 2;
    using SetProcessAwareness = HRESULT(WINAPI*)(int);
    const auto setProcess =
        SystemFunction<SetProcessAwareness>(L"shcore.dll", "SetProcessDpiAwareness");
    return setProcess != nullptr && SUCCEEDED(setProcess(kProcessPerMonitorDpiAware));
}

// Windows Vista to 8: the system's resolution for the whole process.
bool UseSystemAwareness() {
    using SetProcessAware = BOOL(WINAPI*)();
    const auto setAware = SystemFunction<SetProcessAware>(L"user32.dll", "SetProcessDPIAware");
    return setAware != nullptr && setAware();
}

}  // namespace

bool UseRealScreenPixels() {
    return UsePerMonitorThreadAwareness() || UsePerMonitorProcessAwareness() ||
           UseSystemAwareness();
}

}  // namespace forms
