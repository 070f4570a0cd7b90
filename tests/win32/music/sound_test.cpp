#include <windows.h>

#include <gtest/gtest.h>

#include "music/music_player.h"
#include "music/settings.h"
#include "music/win32_music_ports.h"
#include "rules/shared_values.h"

// Run by with-sound-server, which gives Wine an audio output; the tones are made by the build
// beside this program.
namespace {

// The module keeps its state in its globals; one player is as good as another.
Kessamir_BGM player;

std::string ToneFile(const char* name) {
    Win32ProfilePort port;
    return port.ProgramFolder() + "\\" + name;
}

// Waits for the alias to leave "playing", as it does when the file has ended.
bool WaitUntilNotPlaying(DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        if (!IsTrue(player.IsMP3Playing())) {
            return true;
        }
        Sleep(100);
    }
    return false;
}

class SoundTest : public ::testing::Test {
  protected:
    void SetUp() override {
        UseWin32MusicPorts();
        ASSERT_GT(waveOutGetNumDevs(), 0u) << "no audio output device";
    }
};

}  // namespace

TEST_F(SoundTest, AnMp3FilePlaysUnderItsAliasAndStartsAgainAfterItEnds) {
    BGMFile = ToneFile("music_tone.mp3");
    player.PlayMP3();
    EXPECT_EQ(player.IsMP3Playing(), Bool16::True);

    ASSERT_TRUE(WaitUntilNotPlaying(10000)) << MciQuery("status MP3Play mode");
    player.PollMP3();
    EXPECT_EQ(player.IsMP3Playing(), Bool16::True);
    EXPECT_LT(std::stoi(MciQuery("status MP3Play position")), 1000);
    player.PollMP3();
    EXPECT_EQ(player.IsMP3Playing(), Bool16::True);

    player.StopMP3();
    EXPECT_EQ(player.IsMP3Playing(), Bool16::False);
    EXPECT_NE(MciQuery("status MP3Play mode").find("Error:"), std::string::npos);
}

TEST_F(SoundTest, AWaveFileLoopsUntilStopped) {
    BGMFile = ToneFile("music_tone.wav");
    ApiResult = 0;
    player.PlayWave();
    EXPECT_NE(ApiResult, 0);
    Sleep(300);
    player.StopWave();
    EXPECT_NE(ApiResult, 0);
}
