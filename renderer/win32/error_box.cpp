#include "win32/error_box.h"

#include <windows.h>

#include "system/wide_text.h"

void ShowErrorBox(const std::string& text) {
    MessageBoxW(GetFocus(), Widen(text).c_str(), L"Error", MB_OK);
}
