#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "vorlenta_version.h"

namespace {

std::wstring Beside(const wchar_t* name) {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    return folder.substr(0, folder.find_last_of(L'\\') + 1) + name;
}

std::wstring VersionString(const std::wstring& file, const wchar_t* key) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(file.c_str(), &ignored);
    std::vector<BYTE> block(size);
    if (size == 0 || !GetFileVersionInfoW(file.c_str(), 0, size, block.data())) {
        return L"(no version resource)";
    }
    void* value = nullptr;
    UINT length = 0;
    const std::wstring query = std::wstring(L"\\StringFileInfo\\040904B0\\") + key;
    if (!VerQueryValueW(block.data(), query.c_str(), &value, &length)) {
        return L"(no " + std::wstring(key) + L")";
    }
    return static_cast<const wchar_t*>(value);
}

std::wstring Widened(const char* text) {
    return std::wstring(text, text + strlen(text));
}

}  // namespace

TEST(Version, BothProgramsCarryTheProjectsVersionAndDescribeThemselves) {
    const std::wstring version = Widened(VORLENTA_VERSION_TEXT);
    const struct {
        const wchar_t* file;
        const wchar_t* description;
    } programs[] = {{L"Vorlenta.scr", L"Vorlenta screen saver"},
                    {L"Vorlenta.dll", L"Vorlenta renderer"}};
    for (const auto& program : programs) {
        const std::wstring path = Beside(program.file);
        EXPECT_EQ(VersionString(path, L"FileVersion"), version) << program.file;
        EXPECT_EQ(VersionString(path, L"ProductVersion"), version) << program.file;
        EXPECT_EQ(VersionString(path, L"FileDescription"), program.description);
        EXPECT_EQ(VersionString(path, L"OriginalFilename"), program.file);
    }
}

TEST(Version, TheScreenSaverNamesItselfInStringOne) {
    HMODULE saver = LoadLibraryExW(Beside(L"Vorlenta.scr").c_str(), nullptr,
                                   LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(saver, nullptr);
    wchar_t name[64] = L"";
    EXPECT_GT(LoadStringW(saver, 1, name, 64), 0);
    EXPECT_STREQ(name, L"Vorlenta");
    FreeLibrary(saver);
}
