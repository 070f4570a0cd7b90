#include "paths/program_folder.h"

#include <algorithm>
#include <cstring>

#include <gtest/gtest.h>

namespace {

// Answers as GetModuleFileNameA: a path that does not fit is cut off and the whole buffer
// size returned.
ModulePathReader ReaderOf(const std::string& path) {
    return [path](char* buffer, std::uint32_t size) -> std::uint32_t {
        const std::size_t copied = std::min<std::size_t>(path.size(), size - 1);
        std::memcpy(buffer, path.data(), copied);
        buffer[copied] = '\0';
        return path.size() < size ? static_cast<std::uint32_t>(copied) : size;
    };
}

}  // namespace

TEST(ProgramFolder, ReadsAPathLongerThanTheFirstBufferWhole) {
    for (const std::size_t length : {12u, 259u, 260u, 261u, 1000u, 32000u}) {
        const std::string path = "C:\\" + std::string(length - 3, 'a');
        EXPECT_EQ(ReadProgramPath(ReaderOf(path)), path) << length;
    }
}

TEST(ProgramFolder, AFailingOrEndlessReaderGivesNoPath) {
    EXPECT_EQ(ReadProgramPath([](char*, std::uint32_t) { return 0u; }), "");
    EXPECT_EQ(ReadProgramPath([](char*, std::uint32_t size) { return size; }), "");
}

TEST(ProgramFolder, KeepsTheSeparatorOnlyAtADriveRoot) {
    EXPECT_EQ(FolderOfProgram("C:\\Saver\\Vorlenta.scr"), "C:\\Saver");
    EXPECT_EQ(FolderOfProgram("C:\\Vorlenta.scr"), "C:\\");
    EXPECT_EQ(FolderOfProgram("\\\\server\\share\\Vorlenta.scr"), "\\\\server\\share");
    EXPECT_EQ(FolderOfProgram("Vorlenta.scr"), "");
}
