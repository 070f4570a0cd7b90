#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "music/settings.h"
#include "music/win32_music_ports.h"
#include "rules/shared_values.h"
#include "system/wide_text.h"

namespace {

std::string FileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void MakeFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

class SettingsFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        UseWin32MusicPorts();
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        folder = std::string(temp) + "vorlenta-bgm-" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(folder.c_str(), nullptr);
        DeleteFileA(SettingsPath().c_str());
    }
    void TearDown() override {
        DeleteFileA(SettingsPath().c_str());
        for (const char* name : {"\\music.mp3", "\\settings.ini"}) {
            DeleteFileA((folder + name).c_str());
        }
        RemoveDirectoryA(folder.c_str());
    }

    std::string folder;
};

}  // namespace

TEST_F(SettingsFileTest, SavedChoiceOfMusicCdIsByteForByteTheKnownFileAndReadsBack) {
    BGMKind = 1;
    BGMFile.clear();
    SaveSettings("3");

    EXPECT_EQ(FileBytes(SettingsPath()),
              "[Section]\r\n"
              "BGM\x8B\xE6\x95\xAA=1\r\n"      // BGM区分=1
              "BGM\xD8\xCB\xDF\xB0\xC4=3\r\n"  // BGMﾘﾋﾟｰﾄ=3
              "BGM\xCC\xA7\xB2\xD9=\r\n");     // BGMﾌｧｲﾙ=

    BGMKind = 0;
    BGMRepeat = 0;
    BGMFile = "stale";
    LoadSettings();
    EXPECT_EQ(BGMKind, 1);
    EXPECT_EQ(BGMRepeat, 3);
    EXPECT_EQ(BGMFile, "");
    EXPECT_EQ(BGMFolder, Path_Folder(SettingsPath()));
}

TEST_F(SettingsFileTest, MissingFileSectionOrKeyReadsEmpty) {
    const std::string ini = folder + "\\settings.ini";
    EXPECT_EQ(Ini_Read("Section", kKindKey, ini), "");
    Ini_Write("Section", kKindKey, "2", ini);
    EXPECT_NE(ApiResult, 0);
    EXPECT_EQ(Ini_Read("Section", kKindKey, ini), "2");
    EXPECT_EQ(Ini_Read("Section", kRepeatKey, ini), "");
    EXPECT_EQ(Ini_Read("Other", kKindKey, ini), "");
}

TEST_F(SettingsFileTest, LongValuesAndPathsAreCutOrRefusedWithoutHarm) {
    const std::string ini = folder + "\\settings.ini";
    Ini_Write("Section", kFileKey, std::string(300, 'x'), ini);
    EXPECT_EQ(Ini_Read("Section", kFileKey, ini), std::string(255, 'x'));

    const std::string longPath = folder + "\\" + std::string(300 - folder.size() - 1, 'y');
    ASSERT_EQ(longPath.size(), 300u);
    EXPECT_EQ(Ini_Read("Section", kFileKey, longPath), "");
    Ini_Write("Section", kFileKey, "z", longPath);
    EXPECT_EQ(ApiResult, 0);
    EXPECT_EQ(Ini_Read("Section", kFileKey, ini), std::string(255, 'x'));
    EXPECT_EQ(File_Exists(longPath), Bool16::False);
    EXPECT_EQ(Path_Folder(longPath), folder);
}

TEST_F(SettingsFileTest, OnlyReadableFilesExistWithOneTrailingSeparatorIgnored) {
    const std::string music = folder + "\\music.mp3";
    MakeFile(music, "ID3");
    EXPECT_EQ(File_Exists(music), Bool16::True);
    EXPECT_EQ(File_Exists(music + "\\"), Bool16::True);
    EXPECT_EQ(File_Exists(folder), Bool16::False);
    EXPECT_EQ(File_Exists(folder + "\\"), Bool16::False);
    EXPECT_EQ(File_Exists(folder + "\\missing.mp3"), Bool16::False);
}

TEST_F(SettingsFileTest, ASettingsPathWithTwoSeparatorsAtTheRootNamesTheRootFile) {
    Ini_Write("Section", kRepeatKey, "7", "C:\\\\vorlenta-bgm-root.ini");
    EXPECT_EQ(Ini_Read("Section", kRepeatKey, "C:\\vorlenta-bgm-root.ini"), "7");
    DeleteFileA("C:\\vorlenta-bgm-root.ini");
}

TEST(ProgramFolder, IsTheFolderOfTheRunningProgram) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);  // the build folder's name is plain ASCII
    Win32ProfilePort port;
    EXPECT_EQ(port.ProgramFolder() + "\\",
              std::string(path).substr(0, std::string(path).rfind('\\') + 1));
}

// The settings file and the stored music path stay ANSI; in a folder whose name leaves the
// system's code page they are reached through the short form, the file that is not there yet
// included.
TEST(AnsiPath, NamesTheSameFileInAFolderOfAnyScript) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"vorlenta Łódź Тест 東京";
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring music = folder + L"\\песня.mp3";
    const HANDLE file =
        CreateFileW(music.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, "ID3", 3, &written, nullptr);
    CloseHandle(file);

    const std::string ansiMusic = AnsiPathOf(music);
    ASSERT_FALSE(ansiMusic.empty());
    Win32ProfilePort port;
    EXPECT_TRUE(port.OpensForReading(ansiMusic));
    const std::string ini = AnsiPathOf(folder + L"\\Vorlenta.ini");
    ASSERT_FALSE(ini.empty());
    Ini_Write("Section", kKindKey, "2", ini);
    EXPECT_EQ(ApiResult, 1);
    EXPECT_NE(GetFileAttributesW((folder + L"\\Vorlenta.ini").c_str()), INVALID_FILE_ATTRIBUTES);

    EXPECT_EQ(AnsiPathOf(L"C:\\Music\\plain.mp3"), "C:\\Music\\plain.mp3");
    DeleteFileW(music.c_str());
    DeleteFileW((folder + L"\\Vorlenta.ini").c_str());
    RemoveDirectoryW(folder.c_str());
}
