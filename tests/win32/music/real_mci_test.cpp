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
};

TEST_F(RealMciTest, WithoutACdDriveTheFirstPollEndsCdPlay) {
    OpenCD();
    EXPECT_THAT(MciQuery("status cdaudio current track"), StartsWith("Error:"));
    PollCD();
    EXPECT_EQ(CDAvailable, Bool16::False);
    BGMRepeat = 3;
    PollCD();
    EXPECT_EQ(CDAvailable, Bool16::False);
    StopCD();
}

TEST_F(RealMciTest, AMissingMp3FilePlaysNothingAndItsPollsStayQuiet) {
    BGMFile = "C:\\no such folder\\no such file.mp3";
    PlayMP3();
    EXPECT_EQ(IsMP3Playing(), Bool16::False);
    PollMP3();
    EXPECT_EQ(IsMP3Playing(), Bool16::False);
    StopMP3();
}
