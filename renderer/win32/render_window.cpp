#include "win32/render_window.h"

#include "gl/viewport.h"
#include "hand_off/hand_off.h"
#include "shell/screen_rules.h"
#include "win32/monitor_covers.h"
#include "win32/full_screen.h"
#include "win32/render_formats.h"
#include "win32/swap_control.h"

bool keyDown[256] = {};
bool windowActive = true;
bool fullScreenMode = false;

namespace {

constexpr WPARAM kKeyCount = sizeof(keyDown) / sizeof(keyDown[0]);

HINSTANCE instanceHandle = nullptr;
HWND windowHandle = nullptr;
HDC deviceContext = nullptr;
HGLRC renderingContext = nullptr;
ActivationWatch activationWatch;

struct WindowStyles {
    DWORD extended;
    DWORD basic;
};

bool RegisterRenderClass() {
    WNDCLASSA windowClass = {};
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
    windowClass.lpfnWndProc = RenderWindowProc;
    windowClass.hInstance = instanceHandle;
    windowClass.hIcon = LoadIconA(nullptr, IDI_WINLOGO);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kRendererWindowClass;
    return RegisterClassA(&windowClass) != 0;
}

WindowStyles ChooseStyles() {
    if (fullScreenMode) {
        return {WS_EX_APPWINDOW, WS_POPUP};
    }
    return {WS_EX_APPWINDOW | WS_EX_WINDOWEDGE, WS_OVERLAPPEDWINDOW};
}

bool CreateRenderWindow(const char* title, int width, int height, const WindowStyles& styles) {
    RECT frame = {0, 0, width, height};
    AdjustWindowRectEx(&frame, styles.basic, FALSE, styles.extended);
    windowHandle = CreateWindowExA(styles.extended, kRendererWindowClass, title,
                                   styles.basic | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0,
                                   frame.right - frame.left, frame.bottom - frame.top, nullptr,
                                   nullptr, instanceHandle, nullptr);
    return windowHandle != nullptr;
}

bool CreateGlContext(int bits) {
    deviceContext = GetDC(windowHandle);
    if (deviceContext == nullptr) {
        return false;
    }
    const PIXELFORMATDESCRIPTOR descriptor = MakePixelFormatDescriptor(bits);
    const int format = ChoosePixelFormat(deviceContext, &descriptor);
    if (format == 0 || !SetPixelFormat(deviceContext, format, &descriptor)) {
        return false;
    }
    renderingContext = wglCreateContext(deviceContext);
    if (renderingContext == nullptr || !wglMakeCurrent(deviceContext, renderingContext)) {
        return false;
    }
    EnableSwapControl(deviceContext, CurrentRefreshRate());
    return true;
}

void ShowRenderWindow() {
    ShowWindow(windowHandle, SW_SHOW);
    SetForegroundWindow(windowHandle);
    SetFocus(windowHandle);
}

bool FailOpening() {
    CloseRenderWindow();
    return false;
}

// Done once even if teardown runs again.
void RestoreDisplay() {
    LeaveFullScreen();
    ShowCursor(TRUE);
    fullScreenMode = false;
}

void ReleaseGlContext() {
    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(renderingContext);
    renderingContext = nullptr;
}

void ReleaseDeviceContext() {
    ReleaseDC(windowHandle, deviceContext);
    deviceContext = nullptr;
}

void DestroyRenderWindow() {
    DestroyWindow(windowHandle);
    windowHandle = nullptr;
}

LRESULT OnActivate(WPARAM wParam) {
    windowActive = HIWORD(wParam) == 0;
    return 0;
}

// Another program took the activation: the show ends as Escape ends it, through the teardown
// after the loop, so that the screen saver ends too and Windows locks where the user asked it.
LRESULT OnActivateApp(WPARAM active) {
    if (activationWatch.EndsShow(active != FALSE)) {
        PostQuitMessage(0);
    }
    return 0;
}

// Monitors come, go or move (the show's own mode change among them): the covers follow.
LRESULT OnDisplayChange(HWND window) {
    CoverOtherMonitors(instanceHandle, window);
    return 0;
}

LRESULT OnSysCommand(HWND window, WPARAM wParam, LPARAM lParam) {
    if (IsSwallowedSysCommand(wParam)) {
        return 0;
    }
    return DefWindowProcA(window, WM_SYSCOMMAND, wParam, lParam);
}

// The window is destroyed by the teardown after the loop, not here.
LRESULT OnClose() {
    PostQuitMessage(0);
    return 0;
}

// A posted key message may carry any value; only real virtual-key codes index the table.
LRESULT OnKey(WPARAM virtualKey, bool down) {
    if (virtualKey < kKeyCount) {
        keyDown[virtualKey] = down;
    }
    return 0;
}

// A window minimised without losing the activation (SW_SHOWMINNOACTIVE) gets no WM_ACTIVATE,
// only this: it must stop drawing all the same, and draw again once restored.
LRESULT OnSize(WPARAM kind, LPARAM lParam) {
    if (kind == SIZE_MINIMIZED || kind == SIZE_RESTORED || kind == SIZE_MAXIMIZED) {
        windowActive = kind != SIZE_MINIMIZED;
    }
    ResizeViewport(LOWORD(lParam), HIWORD(lParam));
    return 0;
}

}  // namespace

bool OpenRenderWindow(const char* title, int width, int height, int bits, bool fullScreen) {
    fullScreenMode = fullScreen;
    instanceHandle = GetModuleHandleA(nullptr);
    if (!RegisterRenderClass()) {
        return false;
    }
    // A refused mode is not an error: the renderer quietly runs in a window instead.
    if (fullScreenMode && !EnterFullScreen(width, height, bits)) {
        fullScreenMode = false;
    }
    const WindowStyles styles = ChooseStyles();
    if (fullScreenMode) {
        ShowCursor(FALSE);
    }
    if (!CreateRenderWindow(title, width, height, styles) || !CreateGlContext(bits)) {
        return FailOpening();
    }
    ShowRenderWindow();
    CoverOtherMonitors(instanceHandle, windowHandle);
    ResizeViewport(width, height);
    return true;
}

void CloseRenderWindow() {
    // The activation that leaves with the window is the teardown's own.
    activationWatch.ShowEnding();
    if (fullScreenMode) {
        RestoreDisplay();
    }
    if (renderingContext != nullptr) {
        ReleaseGlContext();
    }
    if (deviceContext != nullptr) {
        ReleaseDeviceContext();
    }
    UncoverOtherMonitors();
    if (windowHandle != nullptr) {
        DestroyRenderWindow();
    }
    UnregisterClassA(kRendererWindowClass, instanceHandle);
    ForgetCoverClass(instanceHandle);
}

LRESULT CALLBACK RenderWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ACTIVATE:
            return OnActivate(wParam);
        case WM_ACTIVATEAPP:
            return OnActivateApp(wParam);
        case WM_DISPLAYCHANGE:
            return OnDisplayChange(window);
        case WM_SYSCOMMAND:
            return OnSysCommand(window, wParam, lParam);
        case WM_CLOSE:
            return OnClose();
        case WM_KEYDOWN:
            return OnKey(wParam, true);
        case WM_KEYUP:
            return OnKey(wParam, false);
        case WM_SIZE:
            return OnSize(wParam, lParam);
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

HDC RenderDeviceContext() {
    return deviceContext;
}
