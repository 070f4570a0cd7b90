#include "forms/process.h"

#include <utility>
#include <vector>

#include "forms/process_start.h"
#include "paths/program_folder.h"

namespace forms {

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

namespace {

class Win32ProcessCalls final : public ProcessCalls {
  public:
    Win32ProcessCalls(const std::wstring& path, int showState)
        : path_(path), showState_(showState) {}

    std::optional<Created> CreateSuspended() override {
        // CreateProcessW may write into the command line, so it gets its own buffer.
        const std::wstring quoted = QuotedCommandLine(path_);
        std::vector<wchar_t> commandLine(quoted.begin(), quoted.end());
        commandLine.push_back(L'\0');
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = static_cast<WORD>(showState_);
        PROCESS_INFORMATION process{};
        if (!CreateProcessW(path_.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                            CREATE_SUSPENDED, nullptr, nullptr, &startup, &process)) {
            return std::nullopt;
        }
        return Created{process.hProcess, process.hThread, process.dwProcessId};
    }

    void AllowForeground(uint32_t processId) override { AllowSetForegroundWindow(processId); }

    bool Resume(Handle thread) override { return ResumeThread(thread) != kResumeFailed; }

    // The program never ran a line of its own: its exit code says only that it was ended.
    void Terminate(Handle process) override { TerminateProcess(process, 1); }

    void Close(Handle handle) override { CloseHandle(handle); }

  private:
    static constexpr DWORD kResumeFailed = static_cast<DWORD>(-1);

    std::wstring path_;
    int showState_;
};

}  // namespace

Process StartProgram(const std::wstring& path, int showState) {
    Win32ProcessCalls calls(path, showState);
    return Process(StartWithForeground(calls));
}

}  // namespace forms
