#pragma once

#include <string>
#include <string_view>

// Text for the wide (W) calls. Our own texts are UTF-8 sources; the settings file's path is in
// the system's ANSI code page, so the caller names the code page the bytes are in.
std::wstring Widen(std::string_view text, unsigned codePage = 65001 /* CP_UTF8 */);

// The bytes of wide text in a code page (UTF-8 unless told); what it cannot hold becomes the
// code page's default character.
std::string Narrow(std::wstring_view text, unsigned codePage = 65001 /* CP_UTF8 */);

// The path in the system's ANSI code page, for the calls and the stored file that must stay
// ANSI: the path itself where every character survives the code page, else its short (8.3)
// form where that one does. Empty when neither names the file, such as a name outside the
// code page on a volume without short names.
std::string AnsiPathOf(const std::wstring& path);
