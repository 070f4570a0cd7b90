#include "forms/platform.h"

#include <sddl.h>

#include <cmath>
#include <utility>
#include <vector>

#include "paths/program_folder.h"
#include "win32/system_library.h"

namespace forms {
namespace {

HCURSOR screenPointer = nullptr;

// Windows 10 version 1607 and later: the thread's own awareness, version 2 from 1703 on.
bool UsePerMonitorThreadAwareness() {
    using SetThreadContext = DPI_AWARENESS_CONTEXT(WINAPI*)(DPI_AWARENESS_CONTEXT);
    const auto setThread =
        SystemFunction<SetThreadContext>(L"user32.dll", "SetThreadDpiAwarenessContext");
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
    const auto setProcess =
        SystemFunction<SetProcessAwareness>(L"shcore.dll", "SetProcessDpiAwareness");
    return setProcess != nullptr && SUCCEEDED(setProcess(kProcessPerMonitorDpiAware));
}

// Windows Vista to 8: the system's resolution for the whole process.
bool UseSystemAwareness() {
    using SetProcessAware = BOOL(WINAPI*)();
    const auto setAware = SystemFunction<SetProcessAware>(L"user32.dll", "SetProcessDPIAware");
    return setAware != nullptr && setAware();
}

// The user running the program, as SDDL names a security identifier; empty when unknown.
std::wstring RunningUserSid() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
        return {};
    }
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::vector<BYTE> user(size);
    wchar_t* sid = nullptr;
    std::wstring text;
    if (size > 0 && GetTokenInformation(token, TokenUser, user.data(), size, &size) &&
        ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(user.data())->User.Sid, &sid)) {
        text = sid;
        LocalFree(sid);
    }
    CloseHandle(token);
    return text;
}

// SDDL: the user owns it; the list is protected, so nothing is inherited from the parent.
// A private file: full access for the user and the system. A shared folder: the user keeps
// the folder; signed-in users may only add files and pass through (0x1000a2: add file,
// traverse, read attributes, synchronize), and every file made in it inherits full access for
// its creator and the system alone.
std::wstring DescriptorFor(Access::Kind kind, const std::wstring& user) {
    const std::wstring owner = L"O:" + user + L"D:P(A;;FA;;;" + user + L")";
    if (kind == Access::Kind::PrivateFile) {
        return owner + L"(A;;FA;;;SY)";
    }
    return owner + L"(A;OICI;FA;;;SY)(A;OICIIO;FA;;;CO)(A;;0x1000a2;;;AU)";
}

}  // namespace

Access::Access(Kind kind) {
    const std::wstring user = RunningUserSid();
    if (user.empty() ||
        !ConvertStringSecurityDescriptorToSecurityDescriptorW(
            DescriptorFor(kind, user).c_str(), SDDL_REVISION_1, &descriptor_, nullptr)) {
        descriptor_ = nullptr;
        return;
    }
    attributes_.nLength = sizeof(attributes_);
    attributes_.lpSecurityDescriptor = descriptor_;
}

Access::~Access() {
    if (descriptor_ != nullptr) {
        LocalFree(descriptor_);
    }
}

SECURITY_ATTRIBUTES* Access::Attributes() {
    return descriptor_ != nullptr ? &attributes_ : nullptr;
}

double TwipsPerPixel() {
    return 1440.0 / kDesignDotsPerInch;
}

int PixelsOf(double twips) {
    return static_cast<int>(std::lround(twips / TwipsPerPixel()));
}

int TwipsOf(double pixels) {
    return static_cast<int>(std::lround(pixels * TwipsPerPixel()));
}
int ScreenWidthPixels() {
    return GetSystemMetrics(SM_CXSCREEN);
}
int ScreenHeightPixels() {
    return GetSystemMetrics(SM_CYSCREEN);
}

bool UseRealScreenPixels() {
    return UsePerMonitorThreadAwareness() || UsePerMonitorProcessAwareness() ||
           UseSystemAwareness();
}

bool MakeDirectory(const std::wstring& path, Access& access) {
    return CreateDirectoryW(path.c_str(), access.Attributes());
}

bool TopLevelWindowExists(const char* title) {
    return FindWindowA(nullptr, title) != nullptr;
}

void RestoreStoredDisplayMode() {
    DEVMODEW current{};
    current.dmSize = sizeof(current);
    DEVMODEW stored{};
    stored.dmSize = sizeof(stored);
    if (!EnumDisplaySettingsW(nullptr, ENUM_CURRENT_SETTINGS, &current) ||
        !EnumDisplaySettingsW(nullptr, ENUM_REGISTRY_SETTINGS, &stored)) {
        return;
    }
    if (current.dmPelsWidth != stored.dmPelsWidth || current.dmPelsHeight != stored.dmPelsHeight ||
        current.dmBitsPerPel != stored.dmBitsPerPel) {
        ChangeDisplaySettingsW(nullptr, 0);
    }
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
    AllowSetForegroundWindow(process.dwProcessId);
    return Process(process.hProcess);
}

}  // namespace forms
