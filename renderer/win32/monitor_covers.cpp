#include "win32/monitor_covers.h"

#include <vector>

#include "shell/screen_rules.h"

namespace {

constexpr char kCoverClass[] = "VorlentaCover";

std::vector<HWND> covers;

LRESULT CALLBACK CoverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_SETCURSOR:
            SetCursor(nullptr);
            return TRUE;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

bool RegisterCoverClass(HINSTANCE instance) {
    WNDCLASSA existing{};
    if (GetClassInfoA(instance, kCoverClass, &existing)) {
        return true;
    }
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = CoverWindowProc;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = kCoverClass;
    return RegisterClassA(&windowClass) != 0;
}

ScreenRect RectOf(const RECT& rect) {
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

BOOL CALLBACK CollectMonitor(HMONITOR, HDC, LPRECT bounds, LPARAM list) {
    reinterpret_cast<std::vector<ScreenRect>*>(list)->push_back(RectOf(*bounds));
    return TRUE;
}

ScreenRect MonitorOf(HWND window) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (!GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONULL), &info)) {
        return {};
    }
    return RectOf(info.rcMonitor);
}

HWND CreateCover(HINSTANCE instance, const ScreenRect& monitor) {
    HWND cover = CreateWindowExA(WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, kCoverClass,
                                 kCoverWindowTitle, WS_POPUP, monitor.x, monitor.y, monitor.width,
                                 monitor.height, nullptr, nullptr, instance, nullptr);
    if (cover != nullptr) {
        ShowWindow(cover, SW_SHOWNOACTIVATE);
    }
    return cover;
}

}  // namespace

void CoverOtherMonitors(HINSTANCE instance, HWND renderer) {
    UncoverOtherMonitors();
    if (!RegisterCoverClass(instance)) {
        return;
    }
    std::vector<ScreenRect> monitors;
    EnumDisplayMonitors(nullptr, nullptr, CollectMonitor, reinterpret_cast<LPARAM>(&monitors));
    for (const ScreenRect& monitor : MonitorsToCover(monitors, MonitorOf(renderer))) {
        if (HWND cover = CreateCover(instance, monitor)) {
            covers.push_back(cover);
        }
    }
}

void UncoverOtherMonitors() {
    for (HWND cover : covers) {
        DestroyWindow(cover);
    }
    covers.clear();
}

void ForgetCoverClass(HINSTANCE instance) {
    UnregisterClassA(kCoverClass, instance);
}
