#include "paths/program_folder.h"

#include <algorithm>
#include <cwchar>

#include <gtest/gtest.h>

namespace {

// Answers as GetModuleFileNameW: a path that does not fit is cut off and the whole buffer
// size returned.
ModulePathReader ReaderOf(const std::wstring& path) {
    return [path](wchar_t* buffer, std::uint32_t size) -> std::uint32_t {
        const std::size_t copied = std::min<std::size_t>(path.size(), size - 1);
        std::wmemcpy(buffer, path.data(), copied);
        buffer[copied] = L'\0';
        return path.size() < size ? static_cast<std::uint32_t>(copied) : size;
    };
}

}  // namespace

TEST(ProgramFolder, ReadsAPathLongerThanTheFirstBufferWhole) {
    for (const std::size_t length : {12u, 259u, 260u, 261u, 1000u, 32000u}) {
        const std::wstring path = L"C:\\Тест\\" + std::wstring(length - 8, L'ł');
        EXPECT_EQ(ReadProgramPath(ReaderOf(path)), path) << length;
    }
}

TEST(ProgramFolder, AFailingOrEndlessReaderGivesNoPath) {
    EXPECT_EQ(ReadProgramPath([](wchar_t*, std::uint32_t) { return 0u; }), L"");
    EXPECT_EQ(ReadProgramPath([](wchar_t*, std::uint32_t size) { return size; }), L"");
}

TEST(ProgramFolder, KeepsTheSeparatorOnlyAtADriveRoot) {
    EXPECT_EQ(FolderOfProgram(L"C:\\Тест Вор\\Vorlenta.scr"), L"C:\\Тест Вор");
    EXPECT_EQ(FolderOfProgram(L"C:\\Vorlenta.scr"), L"C:\\");
    EXPECT_EQ(FolderOfProgram(L"\\\\server\\share\\Vorlenta.scr"), L"\\\\server\\share");
    EXPECT_EQ(FolderOfProgram(L"Vorlenta.scr"), L"");
}

TEST(ProgramFolder, StartsQuotedAndReplacesFromBeside) {
    EXPECT_EQ(QuotedCommandLine(L"C:\\A B\\Vorlenta.dll"), L"\"C:\\A B\\Vorlenta.dll\"");
    EXPECT_EQ(TemporaryPathBeside(L"C:\\r_vask\\Kessamiron.bmp", L"S-1-5-21-7-1000"),
              L"C:\\r_vask\\Kessamiron.bmp.S-1-5-21-7-1000.new");
    EXPECT_EQ(TemporaryPathBeside(L"C:\\r_vask\\Kessamiron.bmp", L""),
              L"C:\\r_vask\\Kessamiron.bmp.new");
}
