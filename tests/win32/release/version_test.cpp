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

// The program's manifest as Windows reads it: an activation context made from the program's
// manifest resource, asked for one of its window settings.
std::wstring ManifestSetting(const std::wstring& program, const wchar_t* schema,
                             const wchar_t* name) {
    ACTCTXW request{};
    request.cbSize = sizeof(request);
    request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    request.lpSource = program.c_str();
    request.lpResourceName = MAKEINTRESOURCEW(1);
    const HANDLE context = CreateActCtxW(&request);
    if (context == INVALID_HANDLE_VALUE) {
        return L"(no manifest Windows accepts)";
    }
    wchar_t value[64] = L"";
    SIZE_T length = 0;
    QueryActCtxSettingsW(0, context, schema, name, value, 64, &length);
    ReleaseActCtx(context);
    return value;
}

std::string ManifestText(const std::wstring& program) {
    HMODULE module = LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    std::string text;
    if (resource != nullptr) {
        const auto* bytes = static_cast<const char*>(LockResource(LoadResource(module, resource)));
        text.assign(bytes, SizeofResource(module, resource));
    }
    FreeLibrary(module);
    return text;
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
    HMODULE saver =
        LoadLibraryExW(Beside(L"Vorlenta.scr").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(saver, nullptr);
    wchar_t name[64] = L"";
    EXPECT_GT(LoadStringW(saver, 1, name, 64), 0);
    EXPECT_STREQ(name, L"Vorlenta");
    FreeLibrary(saver);
}

TEST(Manifest, TheRendererDrawsRealPixelsAndTheScreenSaverLeavesScalingToWindows) {
    const wchar_t* kSettings2005 = L"http://schemas.microsoft.com/SMI/2005/WindowsSettings";
    const wchar_t* kSettings2016 = L"http://schemas.microsoft.com/SMI/2016/WindowsSettings";
    const std::wstring renderer = Beside(L"Vorlenta.dll");
    const std::wstring saver = Beside(L"Vorlenta.scr");
    EXPECT_EQ(ManifestSetting(renderer, kSettings2016, L"dpiAwareness"),
              L"PerMonitorV2, PerMonitor");
    EXPECT_EQ(ManifestSetting(renderer, kSettings2005, L"dpiAware"), L"true/pm");
    EXPECT_EQ(ManifestSetting(saver, kSettings2016, L"dpiAwareness"), L"");
    EXPECT_EQ(ManifestSetting(saver, kSettings2005, L"dpiAware"), L"");
    for (const std::wstring& program : {renderer, saver}) {
        const std::string manifest = ManifestText(program);
        EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
        for (const char* windows : {"35138b9a-5d96-4fbd-8e2d-a2440225f93a",     // 7
                                    "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"}) {  // 10 and 11
            EXPECT_NE(manifest.find(windows), std::string::npos) << windows;
        }
    }
}
