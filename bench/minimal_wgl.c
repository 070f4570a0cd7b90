/* The baseline for the renderer's benchmark: the least a WGL program can do. One overlapped
 * window with a 1024 x 768 client area and the renderer's pixel format; each frame only
 * clears and swaps. Runs for the seconds given as its argument (default 5) and prints on
 * stderr, as key=value lines: whether WGL_EXT_swap_control is offered (it is not used), the
 * milliseconds from process creation to the first swapped frame, and the frame rate. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <windows.h>
#include <GL/gl.h>

static LRESULT CALLBACK MinimalWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

static double CounterSeconds(void) {
    LARGE_INTEGER frequency, count;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&count);
    return (double)count.QuadPart / (double)frequency.QuadPart;
}

static double MillisecondsSinceProcessStart(void) {
    FILETIME creation, exitTime, kernel, user, now;
    ULARGE_INTEGER start, current;
    GetProcessTimes(GetCurrentProcess(), &creation, &exitTime, &kernel, &user);
    GetSystemTimeAsFileTime(&now);
    start.LowPart = creation.dwLowDateTime;
    start.HighPart = creation.dwHighDateTime;
    current.LowPart = now.dwLowDateTime;
    current.HighPart = now.dwHighDateTime;
    return (double)(current.QuadPart - start.QuadPart) / 10000.0;
}

static HWND CreateMinimalWindow(void) {
    WNDCLASSA windowClass;
    RECT frame = {0, 0, 1024, 768};
    DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    memset(&windowClass, 0, sizeof(windowClass));
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
    windowClass.lpfnWndProc = MinimalWindowProc;
    windowClass.hInstance = GetModuleHandleA(NULL);
    windowClass.lpszClassName = "MinimalWGL";
    RegisterClassA(&windowClass);
    AdjustWindowRectEx(&frame, style, FALSE, WS_EX_APPWINDOW);
    return CreateWindowExA(WS_EX_APPWINDOW, "MinimalWGL", "minimal_wgl", style, 0, 0,
                           frame.right - frame.left, frame.bottom - frame.top, NULL, NULL,
                           windowClass.hInstance, NULL);
}

static HGLRC CreateContext(HDC deviceContext) {
    PIXELFORMATDESCRIPTOR descriptor;
    HGLRC context;
    memset(&descriptor, 0, sizeof(descriptor));
    descriptor.nSize = sizeof(descriptor);
    descriptor.nVersion = 1;
    descriptor.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    descriptor.iPixelType = PFD_TYPE_RGBA;
    descriptor.cColorBits = 32;
    descriptor.cDepthBits = 16;
    descriptor.iLayerType = PFD_MAIN_PLANE;
    if (!SetPixelFormat(deviceContext, ChoosePixelFormat(deviceContext, &descriptor),
                        &descriptor)) {
        return NULL;
    }
    context = wglCreateContext(deviceContext);
    if (context == NULL || !wglMakeCurrent(deviceContext, context)) {
        return NULL;
    }
    return context;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
    double seconds = (commandLine && *commandLine) ? atof(commandLine) : 5.0;
    HWND window;
    HDC deviceContext;
    HGLRC context;
    MSG message;
    long frames = 0;
    double firstSwap = 0.0;
    int running = 1;
    (void)instance;
    (void)previous;
    (void)show;

    window = CreateMinimalWindow();
    deviceContext = window ? GetDC(window) : NULL;
    context = deviceContext ? CreateContext(deviceContext) : NULL;
    if (context == NULL) {
        fprintf(stderr, "error=no GL context\n");
        return 1;
    }
    fprintf(stderr, "swap_control_offered=%d\n",
            wglGetProcAddress("wglSwapIntervalEXT") != NULL ? 1 : 0);
    ShowWindow(window, SW_SHOW);
    glClearColor(0.0f, 0.0f, 0.0f, 0.5f);
    while (running) {
        if (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) {
            running = message.message != WM_QUIT;
            DispatchMessageA(&message);
            continue;
        }
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        SwapBuffers(deviceContext);
        if (++frames == 1) {
            firstSwap = CounterSeconds();
            fprintf(stderr, "first_swap_ms=%.3f\n", MillisecondsSinceProcessStart());
        }
        if (CounterSeconds() - firstSwap >= seconds) {
            running = 0;
        }
    }
    fprintf(stderr, "frames=%ld\nfps=%.3f\n", frames,
            (frames - 1) / (CounterSeconds() - firstSwap));
    fflush(stderr);
    wglMakeCurrent(NULL, NULL);
    wglDeleteContext(context);
    ReleaseDC(window, deviceContext);
    DestroyWindow(window);
    return 0;
}
