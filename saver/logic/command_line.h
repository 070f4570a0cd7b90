#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// What the screen saver was asked to do, read from its command line (the arguments without the
// program's own path).
enum class SaverMode {
    Run,        // mode letter "S": run with the mouse cursor hidden
    RunShown,   // empty command line: run, the cursor stays visible
    Preview,    // mode letter "P": show the still inside the given window
    Configure,  // mode letter "C": the settings dialog
    Other,      // anything else: end after the usual start-up steps
};

struct StartRequest {
    SaverMode mode;
    std::string modeLetter;
    // The preview window's handle as the unsigned 32-bit value Windows writes; 0 when absent or
    // unreadable.
    uint32_t previewHandle;
};

StartRequest ParseCommandLine(std::string_view commandLine);
