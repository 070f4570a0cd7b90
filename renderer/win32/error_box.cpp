#include "win32/error_box.h"

#include <windows.h>

namespace {

std::wstring WidenUtf8(const std::string& text) {
    const int length =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                        length);
    return wide;
}

}  // namespace

void ShowErrorBox(const std::string& text) {
    MessageBoxW(GetFocus(), WidenUtf8(text).c_str(), L"Error", MB_OK);
}
