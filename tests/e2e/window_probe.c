/* A small Win32 console helper for the end-to-end tests: looks at windows and the display
 * mode from inside Wine, where the programs under test live, and prints plain lines.
 *
 *   window_probe find TITLE                one line: class=... client=X,Y,W,H
 *                                          frame=X,Y,W,H visible=0|1
 *   window_probe wait-window TITLE MS      like find, once the window exists (or exit 1)
 *   window_probe wait-gone TITLE MS        exit 0 once no such window exists
 *   window_probe close TITLE               posts WM_CLOSE to it
 *   window_probe show TITLE CMD            ShowWindow(window, CMD), e.g. 7 (SW_SHOWMINNOACTIVE)
 *                                          or 9 (SW_RESTORE); prints iconic=0|1 after it
 *   window_probe mode                      mode=WxHxBITS@HZ (the current display mode)
 *   window_probe acp                       acp=N (the system's ANSI code page)
 *   window_probe short-path PATH           the path's short (8.3) form, as UTF-8
 *   window_probe security PATH             user=SID (the probe's user), then the file's
 *                                          owner and access list as SDDL, read with
 *                                          GetFileSecurityW: "O:...D:..."
 *   window_probe hold MS                   keeps a 1x1 window titled "vorlenta-e2e-hold" for
 *                                          MS ms or until it is closed: a virtual desktop
 *                                          stays open while it has a window
 *   window_probe other MS                  another program's window, "vorlenta-e2e-other",
 *                                          shown and activated for MS ms or until closed;
 *                                          prints "ready" once it is active
 *   window_probe place TITLE X Y W H       moves and sizes that window
 *   window_probe dpi TITLE                 awareness=0|1|2 (unaware, system, per monitor):
 *                                          the window's display-scaling awareness
 *   window_probe texts                     every visible top-level window's title, then the
 *                                          texts of its child windows indented, all read
 *                                          with the wide calls and printed as UTF-8
 *   window_probe handles IMAGE             handles=N listed=M for the one other process
 *                                          running IMAGE (e.g. Vorlenta.scr): N as
 *                                          GetProcessHandleCount says, M the entries the
 *                                          system's handle list holds for it (Wine 8 answers
 *                                          0 to the first, and keeps the second)
 *   window_probe events N                  prints "ready", opens N events once a line comes
 *                                          on stdin, prints "opened", ends at the next line:
 *                                          a process whose handle count a test knows
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
#include <sddl.h>
#include <tlhelp32.h>
#include <winternl.h>

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

/* The top-level window titled TITLE; when there is none, says so as every command does. */
static HWND FindOrSayNone(const char* title) {
    HWND window = FindWindowA(NULL, title);
    if (window == NULL) {
        printf("none\n");
    }
    return window;
}

static int Find(const char* title) {
    HWND window = FindOrSayNone(title);
    if (window == NULL) {
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
    HWND window = FindOrSayNone(title);
    if (window == NULL) {
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
    printf("mode=%lux%lux%lu@%lu\n", mode.dmPelsWidth, mode.dmPelsHeight, mode.dmBitsPerPel,
           mode.dmDisplayFrequency);
    return 0;
}

static int Show(const char* title, int command) {
    HWND window = FindOrSayNone(title);
    if (window == NULL) {
        return 1;
    }
    ShowWindow(window, command);
    printf("iconic=%d\n", IsIconic(window) ? 1 : 0);
    return 0;
}

static int Place(const char* title, int x, int y, int width, int height) {
    HWND window = FindOrSayNone(title);
    if (window == NULL) {
        return 1;
    }
    SetWindowPos(window, NULL, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    printf("placed\n");
    return 0;
}

static int Dpi(const char* title) {
    HWND window = FindOrSayNone(title);
    if (window == NULL) {
        return 1;
    }
    printf("awareness=%d\n",
           (int)GetAwarenessFromDpiAwarenessContext(GetWindowDpiAwarenessContext(window)));
    return 0;
}

static void PrintWide(const wchar_t* text, const char* indent) {
    char utf8[1536];
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof(utf8), NULL, NULL);
    printf("%s%s\n", indent, utf8);
}

static void PrintText(HWND window, const char* indent) {
    wchar_t text[512];
    GetWindowTextW(window, text, 512);
    PrintWide(text, indent);
}

/* A drop-down list has no text of its own to read: its entries are what it shows. */
static void PrintComboEntries(HWND window) {
    LRESULT count = SendMessageW(window, CB_GETCOUNT, 0, 0);
    LRESULT entry;
    for (entry = 0; entry < count; ++entry) {
        wchar_t text[512];
        if (SendMessageW(window, CB_GETLBTEXTLEN, (WPARAM)entry, 0) < 512) {
            SendMessageW(window, CB_GETLBTEXT, (WPARAM)entry, (LPARAM)text);
            PrintWide(text, "  ");
        }
    }
}

static BOOL CALLBACK PrintChild(HWND window, LPARAM unused) {
    char className[64] = "";
    (void)unused;
    PrintText(window, "  ");
    GetClassNameA(window, className, sizeof(className));
    if (lstrcmpiA(className, "ComboBox") == 0) {
        PrintComboEntries(window);
    }
    return TRUE;
}

static BOOL CALLBACK PrintTopLevel(HWND window, LPARAM unused) {
    (void)unused;
    if (IsWindowVisible(window)) {
        PrintText(window, "");
        EnumChildWindows(window, PrintChild, 0);
    }
    return TRUE;
}

/* The last argument from the wide command line: the ANSI one cannot hold every script. */
static const wchar_t* LastWideArgument(void) {
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    return arguments != NULL && count >= 3 ? arguments[count - 1] : NULL;
}

static int ShortPath(void) {
    const wchar_t* path = LastWideArgument();
    wchar_t shortPath[MAX_PATH];
    if (path == NULL || GetShortPathNameW(path, shortPath, MAX_PATH) == 0) {
        printf("none\n");
        return 1;
    }
    PrintWide(shortPath, "");
    return 0;
}

static void PrintUserSid(void) {
    HANDLE token;
    BYTE user[256];
    DWORD size = sizeof(user);
    wchar_t* sid = NULL;
    if (OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token) &&
        GetTokenInformation(token, TokenUser, user, size, &size) &&
        ConvertSidToStringSidW(((TOKEN_USER*)user)->User.Sid, &sid)) {
        PrintWide(sid, "user=");
        LocalFree(sid);
    }
}

static int Security(void) {
    const wchar_t* path = LastWideArgument();
    const SECURITY_INFORMATION wanted = OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;
    BYTE descriptor[4096];
    DWORD needed = 0;
    wchar_t* text = NULL;
    if (path == NULL || !GetFileSecurityW(path, wanted, descriptor, sizeof(descriptor), &needed) ||
        !ConvertSecurityDescriptorToStringSecurityDescriptorW(descriptor, SDDL_REVISION_1, wanted,
                                                              &text, NULL)) {
        printf("none\n");
        return 1;
    }
    PrintUserSid();
    PrintWide(text, "");
    LocalFree(text);
    return 0;
}

static int Texts(void) {
    EnumWindows(PrintTopLevel, 0);
    return 0;
}

/* The id of the one process other than this one whose image is IMAGE; 0 for none or several. */
static DWORD OtherProcessOf(const char* image) {
    PROCESSENTRY32 entry;
    DWORD found = 0;
    int matches = 0;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) {
        return 0;
    }
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32First(snapshot, &entry); more;
         more = Process32Next(snapshot, &entry)) {
        if (entry.th32ProcessID != GetCurrentProcessId() &&
            lstrcmpiA(entry.szExeFile, image) == 0) {
            found = entry.th32ProcessID;
            ++matches;
        }
    }
    CloseHandle(snapshot);
    return matches == 1 ? found : 0;
}

/* The system's handle list, in a buffer grown until it holds the whole list; NULL on failure. */
static SYSTEM_HANDLE_INFORMATION* SystemHandles(void) {
    const NTSTATUS kLengthMismatch = (NTSTATUS)0xC0000004L;
    ULONG size = 1 << 16;
    for (;;) {
        SYSTEM_HANDLE_INFORMATION* list = malloc(size);
        NTSTATUS status;
        if (list == NULL) {
            return NULL;
        }
        status = NtQuerySystemInformation(SystemHandleInformation, list, size, NULL);
        if (status == 0) {
            return list;
        }
        free(list);
        if (status != kLengthMismatch) {
            return NULL;
        }
        size *= 2;
    }
}

static long ListedHandles(DWORD id) {
    SYSTEM_HANDLE_INFORMATION* list = SystemHandles();
    long count = 0;
    ULONG entry;
    if (list == NULL) {
        return -1;
    }
    for (entry = 0; entry < list->Count; ++entry) {
        if (list->Handle[entry].OwnerPid == id) {
            ++count;
        }
    }
    free(list);
    return count;
}

static int Handles(const char* image) {
    DWORD count = 0;
    DWORD id = OtherProcessOf(image);
    HANDLE process = id != 0 ? OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id) : NULL;
    BOOL counted = process != NULL && GetProcessHandleCount(process, &count);
    if (process != NULL) {
        CloseHandle(process);
    }
    if (!counted) {
        printf("none\n");
        return 1;
    }
    printf("handles=%lu listed=%ld\n", count, ListedHandles(id));
    return 0;
}

static void AwaitLine(void) {
    char line[16];
    fgets(line, sizeof(line), stdin);
}

/* The events stay open until the process ends: a count taken meanwhile must hold them. */
static int Events(int count) {
    int opened;
    printf("ready\n");
    fflush(stdout);
    AwaitLine();
    for (opened = 0; opened < count; ++opened) {
        if (CreateEventA(NULL, FALSE, FALSE, NULL) == NULL) {
            break;
        }
    }
    printf("opened %d\n", opened);
    fflush(stdout);
    AwaitLine();
    return opened == count ? 0 : 1;
}

static LRESULT CALLBACK HoldWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

static HWND CreateHoldWindow(DWORD exStyle, const char* title, int x, int y, int w, int h) {
    WNDCLASSA windowClass;
    memset(&windowClass, 0, sizeof(windowClass));
    windowClass.lpfnWndProc = HoldWindowProc;
    windowClass.hInstance = GetModuleHandleA(NULL);
    windowClass.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
    windowClass.lpszClassName = "VorlentaE2eHold";
    RegisterClassA(&windowClass);
    return CreateWindowExA(exStyle, "VorlentaE2eHold", title, WS_POPUP, x, y, w, h, NULL, NULL,
                           windowClass.hInstance, NULL);
}

static void RunUntilClosed(HWND window, DWORD timeout) {
    MSG message;
    SetTimer(window, 1, timeout, NULL);
    while (GetMessageA(&message, NULL, 0, 0) > 0) {
        if (message.message == WM_TIMER) {
            break;
        }
        DispatchMessageA(&message);
    }
    DestroyWindow(window);
}

static int Hold(DWORD timeout) {
    HWND window =
        CreateHoldWindow(WS_EX_TOOLWINDOW, "vorlenta-e2e-hold", GetSystemMetrics(SM_CXSCREEN) - 1,
                         GetSystemMetrics(SM_CYSCREEN) - 1, 1, 1);
    ShowWindow(window, SW_SHOWNOACTIVATE);
    RunUntilClosed(window, timeout);
    return 0;
}

static int Other(DWORD timeout) {
    HWND window = CreateHoldWindow(0, "vorlenta-e2e-other", 40, 40, 200, 100);
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    printf("ready\n");
    fflush(stdout);
    RunUntilClosed(window, timeout);
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
    } else if (argc == 2 && strcmp(argv[1], "acp") == 0) {
        printf("acp=%u\n", GetACP());
        result = 0;
    } else if (argc == 3 && strcmp(argv[1], "hold") == 0) {
        result = Hold((DWORD)strtoul(argv[2], NULL, 10));
    } else if (argc == 3 && strcmp(argv[1], "other") == 0) {
        result = Other((DWORD)strtoul(argv[2], NULL, 10));
    } else if (argc == 7 && strcmp(argv[1], "place") == 0) {
        result = Place(argv[2], atoi(argv[3]), atoi(argv[4]), atoi(argv[5]), atoi(argv[6]));
    } else if (argc == 4 && strcmp(argv[1], "show") == 0) {
        result = Show(argv[2], atoi(argv[3]));
    } else if (argc == 3 && strcmp(argv[1], "dpi") == 0) {
        result = Dpi(argv[2]);
    } else if (argc == 3 && strcmp(argv[1], "short-path") == 0) {
        result = ShortPath();
    } else if (argc == 3 && strcmp(argv[1], "security") == 0) {
        result = Security();
    } else if (argc == 3 && strcmp(argv[1], "handles") == 0) {
        result = Handles(argv[2]);
    } else if (argc == 3 && strcmp(argv[1], "events") == 0) {
        result = Events(atoi(argv[2]));
    } else if (argc == 2 && strcmp(argv[1], "texts") == 0) {
        result = Texts();
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
                "usage: window_probe [--desktop NAME] find|close|dpi TITLE | place TITLE "
                "X Y W H | show TITLE CMD | "
                "wait-window|wait-gone TITLE MS | mode | acp | texts | hold|other MS | "
                "handles IMAGE | events N\n");
    }
    fflush(stdout);
    return result;
}
