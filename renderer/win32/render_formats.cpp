#include "win32/render_formats.h"

DEVMODEA MakeFullScreenMode(int width, int height, int bits, int refreshHertz) {
    DEVMODEA mode = {};
    mode.dmSize = kClassicDevModeSize;
    mode.dmPelsWidth = static_cast<DWORD>(width);
    mode.dmPelsHeight = static_cast<DWORD>(height);
    mode.dmBitsPerPel = static_cast<DWORD>(bits);
    mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
    if (refreshHertz > 1) {
        mode.dmDisplayFrequency = static_cast<DWORD>(refreshHertz);
        mode.dmFields |= DM_DISPLAYFREQUENCY;
    }
    return mode;
}

PIXELFORMATDESCRIPTOR MakePixelFormatDescriptor(int bits) {
    PIXELFORMATDESCRIPTOR descriptor = {};
    descriptor.nSize = sizeof(PIXELFORMATDESCRIPTOR);
    descriptor.nVersion = 1;
    descriptor.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    descriptor.iPixelType = PFD_TYPE_RGBA;
    descriptor.cColorBits = static_cast<BYTE>(bits);
    descriptor.cDepthBits = 16;
    descriptor.iLayerType = PFD_MAIN_PLANE;
    return descriptor;
}

bool IsSwallowedSysCommand(WPARAM command) {
    return command == SC_SCREENSAVE || command == SC_MONITORPOWER;
}
