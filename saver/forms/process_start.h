#pragma once

#include <cstdint>
#include <optional>

namespace forms {

// The platform's calls that start a program and hand it the foreground.
class ProcessCalls {
  public:
    using Handle = void*;
    struct Created {
        Handle process = nullptr;
        Handle thread = nullptr;
        uint32_t processId = 0;
    };

    virtual ~ProcessCalls() = default;
    // Creates the program's process with its first thread not yet running; none when it
    // cannot be created.
    virtual std::optional<Created> CreateSuspended() = 0;
    virtual void AllowForeground(uint32_t processId) = 0;
    virtual bool Resume(Handle thread) = 0;
    virtual void Terminate(Handle process) = 0;
    virtual void Close(Handle handle) = 0;
};

// Starts the program so that it may take the foreground from its first instruction on: Windows
// grants the foreground only to a process the foreground program has allowed, and a program
// that is already running can open its window before the permission exists. A program that
// cannot be resumed is ended. The process handle, or null when the program is not running.
ProcessCalls::Handle StartWithForeground(ProcessCalls& calls);

}  // namespace forms
