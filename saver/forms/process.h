#pragma once

#include <windows.h>

#include <string>

namespace forms {

// A started program, held until released; the screen saver never waits for it to end.
class Process {
  public:
    Process() = default;
    explicit Process(HANDLE handle) : handle_(handle) {}
    Process(Process&& other) noexcept;
    Process& operator=(Process&& other) noexcept;
    ~Process();

    bool Running() const;
    HANDLE Handle() const { return handle_; }
    void Release();

  private:
    HANDLE handle_ = nullptr;
};

// Starts the program at exactly this path (never searched for) with a quoted command line and
// the given show state, and lets it take the foreground, which Windows grants only to a program
// that the one in the foreground hands it to: the permission is given before the program runs.
// An empty Process when it could not be started or set running.
Process StartProgram(const std::wstring& path, int showState);

}  // namespace forms
