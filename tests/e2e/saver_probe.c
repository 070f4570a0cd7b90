/* A Win32 console helper for the screen saver's end-to-end tests: it plays the windows that
 * the system and other instances would own.
 *
 *   saver_probe hidden TITLE MS      a hidden top-level window titled TITLE for MS ms;
 *                                    prints "ready" once it exists
 *   saver_probe host X Y W H         a visible borderless window at X,Y of W x H pixels, as the
 *                                    display settings' preview window; prints "hwnd=N", then
 *                                    obeys lines on stdin:
 *                                      children  one line per child window:
 *                                                "child title=T rect=X,Y,W,H visible=V"
 *                                                (relative to the host), then "end"
 *                                      destroy   destroys the host window, prints "destroyed"
 *                                      quit      ends the probe (end of input does too)
 */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <windows.h>

enum { kCommandMessage = WM_APP + 1 };
enum Command { kChildren, kDestroy, kQuit };

static HWND host;

static void Say(const char* text) {
    fputs(text, stdout);
    fflush(stdout);
}

static LRESULT CALLBACK ProbeWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        FillRect(dc, &paint.rcPaint, (HBRUSH)GetStockObject(WHITE_BRUSH));
        EndPaint(window, &paint);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

static void RegisterProbeClass(void) {
    WNDCLASSA windowClass = {0};
    windowClass.lpfnWndProc = ProbeWindowProc;
    windowClass.hInstance = GetModuleHandleA(NULL);
    windowClass.hCursor = LoadCursorA(NULL, IDC_ARROW);
    windowClass.lpszClassName = "VorlentaSaverProbe";
    RegisterClassA(&windowClass);
}

static HWND CreateProbeWindow(const char* title, DWORD style, int x, int y, int w, int h) {
    RegisterProbeClass();
    return CreateWindowExA(WS_EX_TOOLWINDOW, "VorlentaSaverProbe", title, style, x, y, w, h, NULL,
                           NULL, GetModuleHandleA(NULL), NULL);
}

static int Hidden(const char* title, DWORD milliseconds) {
    MSG message;
    DWORD start = GetTickCount();
    if (CreateProbeWindow(title, WS_POPUP, 0, 0, 1, 1) == NULL) {
        return 1;
    }
    Say("ready\n");
    while (GetTickCount() - start < milliseconds) {
        while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) {
            DispatchMessageA(&message);
        }
        Sleep(10);
    }
    return 0;
}

static DWORD WINAPI ReadCommands(LPVOID mainThread) {
    char line[64];
    DWORD thread = (DWORD)(UINT_PTR)mainThread;
    while (fgets(line, sizeof(line), stdin) != NULL) {
        if (strncmp(line, "children", 8) == 0) {
            PostThreadMessageA(thread, kCommandMessage, kChildren, 0);
        } else if (strncmp(line, "destroy", 7) == 0) {
            PostThreadMessageA(thread, kCommandMessage, kDestroy, 0);
        } else if (strncmp(line, "quit", 4) == 0) {
            break;
        }
    }
    PostThreadMessageA(thread, kCommandMessage, kQuit, 0);
    return 0;
}

static BOOL CALLBACK ReportChild(HWND child, LPARAM unused) {
    char title[128] = "";
    char line[256];
    RECT rect;
    (void)unused;
    GetWindowTextA(child, title, sizeof(title));
    GetWindowRect(child, &rect);
    MapWindowPoints(NULL, host, (POINT*)&rect, 2);
    snprintf(line, sizeof(line), "child title=%s rect=%ld,%ld,%ld,%ld visible=%d\n", title,
             rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
             IsWindowVisible(child) ? 1 : 0);
    Say(line);
    return TRUE;
}

static int Host(int x, int y, int w, int h) {
    MSG message;
    char line[64];
    host = CreateProbeWindow("Vorlenta preview host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, x, y,
                             w, h);
    if (host == NULL) {
        return 1;
    }
    snprintf(line, sizeof(line), "hwnd=%lu\n", (unsigned long)(UINT_PTR)host);
    Say(line);
    CreateThread(NULL, 0, ReadCommands, (LPVOID)(UINT_PTR)GetCurrentThreadId(), 0, NULL);
    while (GetMessageA(&message, NULL, 0, 0) > 0) {
        if (message.hwnd == NULL && message.message == kCommandMessage) {
            if (message.wParam == kChildren) {
                EnumChildWindows(host, ReportChild, 0);
                Say("end\n");
            } else if (message.wParam == kDestroy) {
                DestroyWindow(host);
                Say("destroyed\n");
            } else {
                break;
            }
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}

int main(int argc, char** argv) {
    if (argc == 4 && strcmp(argv[1], "hidden") == 0) {
        return Hidden(argv[2], (DWORD)atoi(argv[3]));
    }
    if (argc == 6 && strcmp(argv[1], "host") == 0) {
        return Host(atoi(argv[2]), atoi(argv[3]), atoi(argv[4]), atoi(argv[5]));
    }
    fprintf(stderr, "usage: saver_probe hidden TITLE MS | host X Y W H\n");
    return 2;
}
