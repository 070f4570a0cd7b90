/* A small Win32 console helper for the end-to-end tests: looks at windows and the display
 * mode from inside Wine, where the programs under test live, and prints plain lines.
 *
 *   window_probe find TITLE                one line: class=... client=X,Y,W,H
 *                                          frame=X,Y,W,H visible=0|1
 *   window_probe wait-window TITLE MS      like find, once the window exists (or exit 1)
 *   window_probe wait-gone TITLE MS        exit 0 once no such window exists
 *   window_probe close TITLE               posts WM_CLOSE to it
 *   window_probe mode                      mode=WxHxBITS (the current display mode)
 *   window_probe hold MS                   keeps a 1x1 window titled "vorlenta-e2e-hold" for
 *                                          MS ms or until it is closed: a virtual desktop
 *                                          stays open while it has a window
 *
 * Prefix any command with "--desktop NAME" to look inside the Wine virtual desktop NAME
 * (started with `wine explorer /desktop=NAME,WxH PROGRAM`); the probe waits up to 10 s for
 * that desktop to exist.
 *
 * Exit code 0 on success, 1 when the window is not there (in time), 2 on bad usage. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <windows.h>

enum { kPollMilliseconds = 20 };

static int ReportWindow(HWND window) {
    char className[256] = "";
    RECT client;
    RECT frame;
    POINT origin = {0, 0};
    GetClassNameA(window, className, sizeof(className));
    GetClientRect(window, &client);
    GetWindowRect(window, &frame);
    ClientToScreen(window, &origin);
    printf("class=%s client=%ld,%ld,%ld,%ld frame=%ld,%ld,%ld,%ld visible=%d\n", className,
           origin.x, origin.y, client.right - client.left, client.bottom - client.top, frame.left,
           frame.top, frame.right - frame.left, frame.bottom - frame.top,
           IsWindowVisible(window) ? 1 : 0);
    return 0;
}

static int Find(const char* title) {
    HWND window = FindWindowA(NULL, title);
    if (window == NULL) {
        printf("none\n");
        return 1;
    }
    return ReportWindow(window);
}

static int WaitWindow(const char* title, DWORD timeout) {
    DWORD start = GetTickCount();
    for (;;) {
        HWND window = FindWindowA(NULL, title);
        if (window != NULL) {
            return ReportWindow(window);
        }
        if (GetTickCount() - start >= timeout) {
            printf("none\n");
            return 1;
        }
        Sleep(kPollMilliseconds);
    }
}

static int WaitGone(const char* title, DWORD timeout) {
    DWORD start = GetTickCount();
    while (FindWindowA(NULL, title) != NULL) {
        if (GetTickCount() - start >= timeout) {
            printf("present\n");
            return 1;
        }
        Sleep(kPollMilliseconds);
    }
    printf("gone after %lu ms\n", GetTickCount() - start);
    return 0;
}

static int Close(const char* title) {
    HWND window = FindWindowA(NULL, title);
    if (window == NULL) {
        printf("none\n");
        return 1;
    }
    PostMessageA(window, WM_CLOSE, 0, 0);
    printf("closed\n");
    return 0;
}

static int Mode(void) {
    DEVMODEA mode;
    memset(&mode, 0, sizeof(mode));
    mode.dmSize = sizeof(mode);
    if (!EnumDisplaySettingsA(NULL, ENUM_CURRENT_SETTINGS, &mode)) {
        printf("mode=unknown\n");
        return 1;
    }
    printf("mode=%lux%lux%lu\n", mode.dmPelsWidth, mode.dmPelsHeight, mode.dmBitsPerPel);
    return 0;
}

static LRESULT CALLBACK HoldWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

static int Hold(DWORD timeout) {
    WNDCLASSA windowClass;
    MSG message;
    HWND window;
    memset(&windowClass, 0, sizeof(windowClass));
    windowClass.lpfnWndProc = HoldWindowProc;
    windowClass.hInstance = GetModuleHandleA(NULL);
    windowClass.lpszClassName = "VorlentaE2eHold";
    RegisterClassA(&windowClass);
    window = CreateWindowExA(WS_EX_TOOLWINDOW, "VorlentaE2eHold", "vorlenta-e2e-hold", WS_POPUP,
                             GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1,
                             1, 1, NULL, NULL, windowClass.hInstance, NULL);
    ShowWindow(window, SW_SHOWNOACTIVATE);
    SetTimer(window, 1, timeout, NULL);
    while (GetMessageA(&message, NULL, 0, 0) > 0) {
        if (message.message == WM_TIMER) {
            break;
        }
        DispatchMessageA(&message);
    }
    DestroyWindow(window);
    return 0;
}

/* Windows and display settings belong to a desktop; a virtual desktop is another one. */
static int JoinDesktop(const char* name) {
    DWORD start = GetTickCount();
    for (;;) {
        HDESK desktop = OpenDesktopA(name, 0, FALSE, GENERIC_ALL);
        if (desktop != NULL) {
            return SetThreadDesktop(desktop) ? 0 : 1;
        }
        if (GetTickCount() - start >= 10000) {
            printf("no desktop %s\n", name);
            return 1;
        }
        Sleep(kPollMilliseconds);
    }
}

int main(int argc, char** argv) {
    int result = 2;
    if (argc >= 3 && strcmp(argv[1], "--desktop") == 0) {
        if (JoinDesktop(argv[2]) != 0) {
            return 1;
        }
        argc -= 2;
        argv += 2;
    }
    if (argc == 2 && strcmp(argv[1], "mode") == 0) {
        result = Mode();
    } else if (argc == 3 && strcmp(argv[1], "hold") == 0) {
        result = Hold((DWORD)strtoul(argv[2], NULL, 10));
    } else if (argc == 3 && strcmp(argv[1], "find") == 0) {
        result = Find(argv[2]);
    } else if (argc == 3 && strcmp(argv[1], "close") == 0) {
        result = Close(argv[2]);
    } else if (argc == 4 && strcmp(argv[1], "wait-window") == 0) {
        result = WaitWindow(argv[2], (DWORD)strtoul(argv[3], NULL, 10));
    } else if (argc == 4 && strcmp(argv[1], "wait-gone") == 0) {
        result = WaitGone(argv[2], (DWORD)strtoul(argv[3], NULL, 10));
    } else {
        fprintf(stderr,
                "usage: window_probe [--desktop NAME] find|close TITLE | wait-window|wait-gone "
                "TITLE MS | mode | hold MS\n");
    }
    fflush(stdout);
    return result;
}
