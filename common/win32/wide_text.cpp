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

std::string Narrow(std::wstring_view text, unsigned codePage) {
    if (text.empty()) {
        return {};
    }
    const int units = static_cast<int>(text.size());
    const int length =
        WideCharToMultiByte(codePage, 0, text.data(), units, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), units, narrow.data(), length, nullptr, nullptr);
    return narrow;
}
