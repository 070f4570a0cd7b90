#pragma once

#include <windows.h>

// An entry point of a system library, loaded from the system folder the first time it is
// asked for. A program run only for what does not need the library never pays for loading it
// (the settings dialog's chooser and link, the music, the button's gradient), and a copy of
// the library planted beside the program is never the one loaded. Null when the system has no
// such library or entry point.
FARPROC SystemProcAddress(const wchar_t* library, const char* name);

template <typename Function>
Function SystemFunction(const wchar_t* library, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(SystemProcAddress(library, name)));
}
