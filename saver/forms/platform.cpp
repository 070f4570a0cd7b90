#include "forms/platform.h"

#include <utility>
#include <vector>

#include "logic/hand_off.h"

namespace forms {
namespace {

HCURSOR screenPointer = nullptr;

int ScreenDotsPerInch(int axis) {
    HDC screen = GetDC(nullptr);
    const int dpi = screen != nullptr ? GetDeviceCaps(screen, axis) : 96;
    if (screen != nullptr) {
        ReleaseDC(nullptr, screen);
    }
    return dpi > 0 ? dpi : 96;
}

}  // namespace

double TwipsPerPixelX() {
    return 1440.0 / ScreenDotsPerInch(LOGPIXELSX);
}
double TwipsPerPixelY() {
    return 1440.0 / ScreenDotsPerInch(LOGPIXELSY);
}
int ScreenWidthPixels() {
    return GetSystemMetrics(SM_CXSCREEN);
}
int ScreenHeightPixels() {
    return GetSystemMetrics(SM_CYSCREEN);
}

bool MakeDirectory(const std::string& path) {
    return CreateDirectoryA(path.c_str(), nullptr);
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

Process StartProgram(const std::string& path, int showState) {
    // CreateProcessA may write into the command line, so it gets its own buffer.
    const std::string quoted = QuotedCommandLine(path);
    std::vector<char> commandLine(quoted.begin(), quoted.end());
    commandLine.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showState);
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        return Process();
    }
    CloseHandle(process.hThread);
    return Process(process.hProcess);
}

}  // namespace forms
