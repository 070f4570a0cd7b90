#include "win32/wide_text.h"

#include <windows.h>

std::wstring Widen(std::string_view text, unsigned codePage) {
    if (text.empty()) {
        return {};
    }
    const int bytes = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(codePage, 0, text.data(), bytes, nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), bytes, wide.data(), length);
    return wide;
}
