#include <windows.h>

#include "test_gl_context.h"

namespace {

// A window nobody sees, with a pixel format GL can draw into: WGL makes contexts only for a
// device context that has one.
HDC HiddenWindowDc() {
    WNDCLASSA windowClass{};
    windowClass.style = CS_OWNDC;
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "VorlentaTestGl";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowA("VorlentaTestGl", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                windowClass.hInstance, nullptr);
    return window != nullptr ? GetDC(window) : nullptr;
}

bool SetGlPixelFormat(HDC dc) {
    PIXELFORMATDESCRIPTOR wanted{};
    wanted.nSize = sizeof wanted;
    wanted.nVersion = 1;
    wanted.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL;
    wanted.iPixelType = PFD_TYPE_RGBA;
    wanted.cColorBits = 24;
    const int format = ChoosePixelFormat(dc, &wanted);
    return format != 0 && SetPixelFormat(dc, format, &wanted);
}

bool MakeContextCurrent() {
    HDC dc = HiddenWindowDc();
    if (dc == nullptr || !SetGlPixelFormat(dc)) {
        return false;
    }
    HGLRC context = wglCreateContext(dc);
    return context != nullptr && wglMakeCurrent(dc, context);
}

}  // namespace

// The window and the context live as long as the test program.
bool MakeTestGlContextCurrent() {
    static const bool current = MakeContextCurrent();
    return current;
}
