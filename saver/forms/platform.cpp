#include "forms/platform.h"

#include <utility>
#include <vector>

#include "paths/program_folder.h"

namespace forms {
namespace {

HCURSOR screenPointer = nullptr;

// An entry point that older systems lack, found by name; null where it is missing.
template <typename Function>
Function Lookup(HMODULE module, const char* name) {
    if (module == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// Windows 10 version 1607 and later: the thread's own awareness, version 2 from 1703 on.
bool UsePerMonitorThreadAwareness(HMODULE user32) {
    using SetThreadContext = DPI_AWARENESS_CONTEXT(WINAPI*)(DPI_AWARENESS_CONTEXT);
    const auto setThread = Lookup<SetThreadContext>(user32, "SetThreadDpiAwarenessContext");
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
    HMODULE shcore = LoadLibraryExW(L"shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    const auto setProcess = Lookup<SetProcessAwareness>(shcore, "SetProcessDpiAwareness");
    return setProcess != nullptr && SUCCEEDED(setProcess(kProcessPerMonitorDpiAware));
}

// Windows Vista to 8: the system's resolution for the whole process.
bool UseSystemAwareness(HMODULE user32) {
    using SetProcessAware = BOOL(WINAPI*)();
    const auto setAware = Lookup<SetProcessAware>(user32, "SetProcessDPIAware");
    return setAware != nullptr && setAware();
}

}  // namespace

double TwipsPerPixelX() {
    return 1440.0 / kDesignDotsPerInch;
}
double TwipsPerPixelY() {
    return 1440.0 / kDesignDotsPerInch;
}
int ScreenWidthPixels() {
    return GetSystemMetrics(SM_CXSCREEN);
}
int ScreenHeightPixels() {
    return GetSystemMetrics(SM_CYSCREEN);
}

bool UseRealScreenPixels() {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return UsePerMonitorThreadAwareness(user32) || UsePerMonitorProcessAwareness() ||
           UseSystemAwareness(user32);
}

bool MakeDirectory(const std::wstring& path) {
    return CreateDirectoryW(path.c_str(), nullptr);
}

bool TopLevelWindowExists(const char* title) {
    return FindWindowA(nullptr, title) != nullptr;
}

void SetScreenMousePointer(HCURSOR pointer) {
    screenPointer = pointer;
    SetCursor(pointer != nullptr ? pointer : LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)));
}

HCURSOR ScreenMousePointer() {
    return screenPointer;
}

Process::Process(Process&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}

Process& Process::operator=(Process&& other) noexcept {
    if (this != &other) {
        Release();
        handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
}

Process::~Process() {
    Release();
}

bool Process::Running() const {
    return handle_ != nullptr && WaitForSingleObject(handle_, 0) == WAIT_TIMEOUT;
}

void Process::Release() {
    if (handle_ != nullptr) {
        CloseHandle(handle_);
        handle_ = nullptr;
    }
}

Process StartProgram(const std::wstring& path, int showState) {
    // CreateProcessW may write into the command line, so it gets its own buffer.
    const std::wstring quoted = QuotedCommandLine(path);
    std::vector<wchar_t> commandLine(quoted.begin(), quoted.end());
    commandLine.push_back(L'\0');
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showState);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        return Process();
    }
    CloseHandle(process.hThread);
    return Process(process.hProcess);
}

}  // namespace forms
