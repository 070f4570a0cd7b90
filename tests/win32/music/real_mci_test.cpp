#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "music/music_player.h"
#include "music/settings.h"
#include "music/win32_music_ports.h"

using ::testing::StartsWith;

// The test machine has no CD drive, so these hold the player's answer to a missing drive.
class RealMciTest : public ::testing::Test {
  protected:
    void SetUp() override {
        UseWin32MusicPorts();
        BGMRepeat = 0;
    }
    Kessamir_BGM player;
};

TEST_F(RealMciTest, WithoutACdDriveTheFirstPollEndsCdPlay) {
    player.OpenCD();
    EXPECT_THAT(MciQuery("status cdaudio current track"), StartsWith("Error:"));
    player.PollCD();
    EXPECT_EQ(CDAvailable, Bool16::False);
    BGMRepeat = 3;
    player.PollCD();
    EXPECT_EQ(CDAvailable, Bool16::False);
    player.StopCD();
}

TEST_F(RealMciTest, AMissingMp3FilePlaysNothingAndItsPollsStayQuiet) {
    BGMFile = "C:\\no such folder\\no such file.mp3";
    player.PlayMP3();
    EXPECT_EQ(player.IsMP3Playing(), Bool16::False);
    player.PollMP3();
    EXPECT_EQ(player.IsMP3Playing(), Bool16::False);
    player.StopMP3();
}
