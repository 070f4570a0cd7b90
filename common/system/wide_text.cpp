#include "system/wide_text.h"

#include <windows.h>

#include <optional>
#include <vector>

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

namespace {

// The ANSI bytes of the text only when nothing is lost or replaced: a best-fit character
// ("ł" as "l") would name another file.
std::optional<std::string> LosslessAnsi(const std::wstring& text) {
    if (GetACP() == CP_UTF8) {
        return Narrow(text);  // a UTF-8 system code page holds every character
    }
    const int units = static_cast<int>(text.size());
    BOOL lost = FALSE;
    const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), units,
                                           nullptr, 0, nullptr, &lost);
    if (lost || (length == 0 && units > 0)) {
        return std::nullopt;
    }
    std::string ansi(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), units, ansi.data(), length,
                        nullptr, &lost);
    return ansi;
}

std::optional<std::wstring> ShortPathName(const std::wstring& path) {
    const DWORD needed = GetShortPathNameW(path.c_str(), nullptr, 0);
    if (needed == 0) {
        return std::nullopt;
    }
    std::vector<wchar_t> buffer(needed);
    const DWORD length = GetShortPathNameW(path.c_str(), buffer.data(), needed);
    if (length == 0 || length >= needed) {
        return std::nullopt;
    }
    return std::wstring(buffer.data(), length);
}

// A file that does not exist yet has no short name; its folder may, and the name itself may
// survive the code page.
std::optional<std::wstring> ShortForm(const std::wstring& path) {
    if (auto whole = ShortPathName(path)) {
        return whole;
    }
    const std::size_t separator = path.rfind(L'\\');
    if (separator == std::wstring::npos || separator == 0) {
        return std::nullopt;
    }
    const auto folder = ShortPathName(path.substr(0, separator));
    if (!folder) {
        return std::nullopt;
    }
    return *folder + path.substr(separator);
}

}  // namespace

std::string AnsiPathOf(const std::wstring& path) {
    if (auto ansi = LosslessAnsi(path)) {
        return *ansi;
    }
    if (auto shortPath = ShortForm(path)) {
        if (auto ansi = LosslessAnsi(*shortPath)) {
            return *ansi;
        }
    }
    return {};
}
