#include "music/settings.h"

#include <gtest/gtest.h>

#include "fake_ports.h"

namespace {

const std::string kPath = "C:\\Saver\\Vorlenta.ini";

class SettingsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        UseProfilePort(&profile);
        BGMKind = 0;
        BGMRepeat = 0;
        BGMFile.clear();
        BGMFolder.clear();
    }
    void TearDown() override { UseProfilePort(nullptr); }

    void Store(const char* key, const std::string& value) {
        profile.files[kPath][{kSettingsSection, key}] = value;
    }

    FakeProfile profile;
};

}  // namespace

TEST_F(SettingsTest, SettingsFileLivesInTheProgramFolderEvenAtADriveRoot) {
    EXPECT_EQ(SettingsPath(), kPath);
    profile.programFolder = "C:\\";
    EXPECT_EQ(SettingsPath(), "C:\\\\Vorlenta.ini");
}

TEST(Path_Folder, TakesTheTextBeforeTheLastSeparatorOrColon) {
    EXPECT_EQ(Path_Folder("C:\\Music\\a.mp3"), "C:\\Music");
    EXPECT_EQ(Path_Folder("C:\\a.mp3"), "C:");
    EXPECT_EQ(Path_Folder("C:a.mp3"), "C:");
    EXPECT_EQ(Path_Folder("a.mp3"), "");
    EXPECT_EQ(Path_Folder(""), "");
    EXPECT_EQ(Path_Folder("C:\\Music\\"), "C:\\Music");
}

TEST_F(SettingsTest, FileExistsForReadableFilesAndIgnoresOneTrailingSeparator) {
    profile.readableFiles = {"C:\\Music\\a.mp3"};
    EXPECT_EQ(File_Exists("C:\\Music\\a.mp3"), Bool16::True);
    EXPECT_EQ(File_Exists("C:\\Music\\b.mp3"), Bool16::False);
    EXPECT_EQ(File_Exists("C:\\Music\\a.mp3\\"), Bool16::True);
    EXPECT_EQ(File_Exists("C:\\Music\\a.mp3\\\\"), Bool16::False);
    EXPECT_EQ(File_Exists("C:\\Music\\"), Bool16::False);
    EXPECT_EQ(File_Exists(""), Bool16::False);
}

TEST_F(SettingsTest, NoSettingsFileGivesTheDefaults) {
    BGMKind = 2;
    BGMFile = "stale";
    LoadSettings();
    EXPECT_EQ(BGMKind, 0);
    EXPECT_EQ(BGMRepeat, 0);
    EXPECT_EQ(BGMFile, "");
    EXPECT_EQ(BGMFolder, "C:\\Saver");
}

TEST_F(SettingsTest, StoredNumbersFollowTheReadRule) {
    Store(kKindKey, "abc");
    Store(kRepeatKey, "4.9");
    LoadSettings();
    EXPECT_EQ(BGMKind, 0);
    EXPECT_EQ(BGMRepeat, 4);

    Store(kKindKey, "3");
    Store(kRepeatKey, "40000");
    LoadSettings();
    EXPECT_EQ(BGMKind, 3);
    EXPECT_EQ(BGMRepeat, 0);
}

TEST_F(SettingsTest, AnExistingMusicFileIsKeptAndItsFolderOpensTheChooser) {
    Store(kKindKey, "2");
    Store(kFileKey, "D:\\Music\\song.mp3");
    profile.readableFiles = {"D:\\Music\\song.mp3"};
    LoadSettings();
    EXPECT_EQ(BGMKind, 2);
    EXPECT_EQ(BGMFile, "D:\\Music\\song.mp3");
    EXPECT_EQ(BGMFolder, "D:\\Music");
}

TEST_F(SettingsTest, KindTwoWithoutAFileFallsBackToNoMusic) {
    Store(kKindKey, "2");
    LoadSettings();
    EXPECT_EQ(BGMKind, 0);

    Store(kFileKey, "D:\\Music\\gone.mp3");
    LoadSettings();
    EXPECT_EQ(BGMKind, 0);
    EXPECT_EQ(BGMFile, "");
    EXPECT_EQ(BGMFolder, "C:\\Saver");
}

TEST_F(SettingsTest, KindOneKeepsItsKindWhenTheStoredFileHasVanished) {
    Store(kKindKey, "1");
    Store(kRepeatKey, "3");
    Store(kFileKey, "D:\\Music\\gone.mp3");
    LoadSettings();
    EXPECT_EQ(BGMKind, 1);
    EXPECT_EQ(BGMRepeat, 3);
    EXPECT_EQ(BGMFile, "");
}

TEST_F(SettingsTest, StoredPathsThatAreNotFilesAreDropped) {
    Store(kKindKey, "2");
    const std::string longPath = "D:\\" + std::string(300, 'a') + ".mp3";
    profile.readableFiles = {longPath, "D:\\Music\\a.mp3"};
    for (const std::string& stored : {longPath, std::string("D:\\Music")}) {
        Store(kFileKey, stored);
        LoadSettings();
        EXPECT_EQ(BGMKind, 0) << stored;
        EXPECT_EQ(BGMFile, "") << stored;
    }
}

TEST_F(SettingsTest, StoredPathWithATrailingSeparatorIsKeptAsStoredWhenItsFileExists) {
    Store(kKindKey, "2");
    Store(kFileKey, "D:\\Music\\a.mp3\\");
    profile.readableFiles = {"D:\\Music\\a.mp3"};
    LoadSettings();
    EXPECT_EQ(BGMKind, 2);
    EXPECT_EQ(BGMFile, "D:\\Music\\a.mp3\\");
    EXPECT_EQ(BGMFolder,
              "D:\\Music\\a.mp3");  // the folder rule takes the text before the separator
}

TEST_F(SettingsTest, ASaveWithAnyRefusedWriteStillTriesEveryKeyAndSaysItFailed) {
    for (const char* refused : {kKindKey, kRepeatKey, kFileKey}) {
        profile.writes.clear();
        profile.refusedKeys = {refused};
        EXPECT_FALSE(SaveSettings("7")) << refused;
        EXPECT_EQ(profile.writes.size(), 3u);
        EXPECT_EQ(BGMRepeat, 7);
    }
}

TEST_F(SettingsTest, SaveWritesTheThreeKeysInOrderWithTheRepeatBoxRounded) {
    BGMKind = -1;
    BGMFile = "D:\\Music\\not checked.wav";
    const std::pair<const char*, const char*> cases[] = {{"3", "3"}, {"2.5", "2"}, {"45", "45"},
                                                         {"", "0"},  {"abc", "0"}, {"40000", "0"}};
    for (const auto& [text, stored] : cases) {
        profile.writes.clear();
        EXPECT_TRUE(SaveSettings(text));
        ASSERT_EQ(profile.writes.size(), 3u);
        EXPECT_EQ(profile.writes[0].key, kKindKey);
        EXPECT_EQ(profile.writes[0].value, "-1");
        EXPECT_EQ(profile.writes[1].key, kRepeatKey);
        EXPECT_EQ(profile.writes[1].value, stored) << text;
        EXPECT_EQ(profile.writes[2].key, kFileKey);
        EXPECT_EQ(profile.writes[2].value, BGMFile);
        EXPECT_EQ(profile.writes[2].section, "Section");
        EXPECT_EQ(profile.writes[2].file, kPath);
        EXPECT_EQ(std::to_string(BGMRepeat), stored);
    }
}
