#include "logic/command_line.h"

#include <gtest/gtest.h>

namespace {

SaverMode ModeOf(const char* commandLine) {
    return ParseCommandLine(commandLine).mode;
}

}  // namespace

TEST(CommandLine, RunIsChosenByTheSecondCharacterAlone) {
    for (const char* line : {"/s", "/S", "-s", "xs", "/s extra"}) {
        EXPECT_EQ(ModeOf(line), SaverMode::Run) << line;
    }
    EXPECT_EQ(ModeOf(""), SaverMode::RunShown);
}

TEST(CommandLine, ConfigureIgnoresAnyHandle) {
    for (const char* line : {"/c", "/C:1234", "/c 99"}) {
        const StartRequest request = ParseCommandLine(line);
        EXPECT_EQ(request.mode, SaverMode::Configure) << line;
        EXPECT_EQ(request.previewHandle, 0u) << line;
    }
}

TEST(CommandLine, PreviewHandleIsTheNumberFromTheFourthCharacter) {
    EXPECT_EQ(ParseCommandLine("/p 1234").previewHandle, 1234u);
    EXPECT_EQ(ParseCommandLine("/p:1234").previewHandle, 1234u);
    EXPECT_EQ(ParseCommandLine("/P   77").previewHandle, 77u);
    EXPECT_EQ(ParseCommandLine("/p").previewHandle, 0u);
    EXPECT_EQ(ParseCommandLine("/p ").previewHandle, 0u);
    EXPECT_EQ(ParseCommandLine("/p abc").previewHandle, 0u);
    EXPECT_EQ(ParseCommandLine("/p 3000000000").previewHandle, 0xB2D05E00u);
    EXPECT_EQ(ParseCommandLine("/p 4294967295").previewHandle, 0xFFFFFFFFu);
    EXPECT_EQ(ParseCommandLine("/p 4294967296").previewHandle, 0u);
    EXPECT_EQ(ModeOf("/p"), SaverMode::Preview);
}

TEST(CommandLine, AnythingElseIsOther) {
    for (const char* line : {"s", "/", "/x", "/a 1", "  "}) {
        EXPECT_EQ(ModeOf(line), SaverMode::Other) << '"' << line << '"';
    }
}
