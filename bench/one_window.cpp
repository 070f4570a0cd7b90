// The floor of a start for a program with windows under Wine: the time from process creation
// until it has made one window. Loading the user-interface and drawing libraries (the system's
// fonts among them) and reaching the X server is paid by every such program before it does
// anything of its own; the do-nothing program pays none of it.
#include <windows.h>

#include "frame_timing_report.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "VorlentaBenchOneWindow";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowA(windowClass.lpszClassName, "", WS_POPUP, 0, 0, 64, 64, nullptr,
                                nullptr, instance, nullptr);
    PrintBenchFigure("window_ms", MillisecondsSinceProcessStart());
    DestroyWindow(window);
    return 0;
}
