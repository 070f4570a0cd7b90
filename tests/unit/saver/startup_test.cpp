#include "logic/startup.h"

#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "rules/shared_values.h"

namespace {

class FakeStartup : public StartupPorts {
  public:
    std::set<std::string> windows;
    std::vector<std::string> journal;

    bool WindowExists(const char* title) override {
        journal.push_back(std::string("FindWindow ") + title);
        return windows.count(title) > 0;
    }
    void ShowPreview(uint32_t handle) override {
        journal.push_back("ShowPreview " + std::to_string(handle));
    }
    void CreateHandOffDirectory() override { journal.push_back("CreateHandOffDirectory"); }
    void LoadSettings() override { journal.push_back("LoadSettings"); }
    void ShowSettingsDialogModal() override { journal.push_back("ShowSettingsDialogModal"); }
    int32_t ShowCursor(bool show) override {
        journal.push_back(show ? "ShowCursor" : "HideCursor");
        return -1;
    }
    void LoadRunForm(const std::string& modeLetter) override {
        journal.push_back("LoadRunForm " + modeLetter);
    }
    void EndProgram() override { journal.push_back("EndProgram"); }
};

using Journal = std::vector<std::string>;
const Journal kInstanceCheck = {"FindWindow Kessamir_Main", "FindWindow <Vorlenta>"};

Journal After(Journal steps) {
    Journal all = kInstanceCheck;
    all.insert(all.end(), steps.begin(), steps.end());
    return all;
}

Journal StartWith(const char* commandLine, std::set<std::string> windows = {}) {
    FakeStartup fake;
    fake.windows = std::move(windows);
    CursorCount = 0;
    Main(commandLine, fake);
    return fake.journal;
}

}  // namespace

TEST(Startup, RunHidesTheCursorAndLoadsTheRunForm) {
    EXPECT_EQ(StartWith("/s"),
              After({"CreateHandOffDirectory", "LoadSettings", "HideCursor", "LoadRunForm S"}));
    EXPECT_EQ(CursorCount, -1);
}

TEST(Startup, EmptyCommandLineRunsWithTheCursorShown) {
    EXPECT_EQ(StartWith(""), After({"CreateHandOffDirectory", "LoadSettings", "LoadRunForm "}));
    EXPECT_EQ(CursorCount, 0);
}

TEST(Startup, PreviewTouchesNeitherDirectoryNorSettings) {
    EXPECT_EQ(StartWith("/p 1234"), After({"ShowPreview 1234"}));
    EXPECT_EQ(StartWith("/p"), After({"ShowPreview 0"}));
    EXPECT_EQ(StartWith("/p 3000000000"), After({"ShowPreview 3000000000"}));
}

TEST(Startup, ConfigureShowsTheDialogThenEnds) {
    EXPECT_EQ(StartWith("/C:1234"), After({"CreateHandOffDirectory", "LoadSettings",
                                           "ShowSettingsDialogModal", "EndProgram"}));
}

TEST(Startup, UnknownModeEndsAfterDirectoryAndSettings) {
    EXPECT_EQ(StartWith("s"), After({"CreateHandOffDirectory", "LoadSettings", "EndProgram"}));
}

TEST(Startup, AnotherInstanceEndsAnyModeAfterBothLookups) {
    for (const char* title : {"Kessamir_Main", "<Vorlenta>"}) {
        for (const char* line : {"/s", "/p 5", "/c", ""}) {
            EXPECT_EQ(StartWith(line, {title}), After({"EndProgram"})) << title << line;
        }
    }
}
