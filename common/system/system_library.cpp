#include "system/system_library.h"

#include <string>

namespace {

// By full path: no search order applies, on any version of Windows.
HMODULE LoadSystemLibrary(const wchar_t* library) {
    if (HMODULE loaded = GetModuleHandleW(library)) {
        return loaded;
    }
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return nullptr;
    }
    return LoadLibraryW((std::wstring(folder, length) + L"\\" + library).c_str());
}

}  // namespace

FARPROC SystemProcAddress(const wchar_t* library, const char* name) {
    HMODULE module = LoadSystemLibrary(library);
    return module != nullptr ? GetProcAddress(module, name) : nullptr;
}
