#include "music/music_player.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fake_ports.h"
#include "music/settings.h"
#include "rules/shared_values.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

// The module keeps its state in its globals; one player is as good as another.
Kessamir_BGM player;

const char kCurrentTrack[] = "status cdaudio current track";
const char kTrackCount[] = "status cdaudio number of tracks";
const char kMode[] = "status cdaudio mode";

class MusicPlayerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        UseMciPort(&device);
        BGMKind = 0;
        BGMRepeat = 0;
        BGMFile.clear();
        CDAvailable = Bool16::False;
    }
    void TearDown() override { UseMciPort(nullptr); }

    // A disc of 10 tracks at the given track and mode.
    void Disc(const std::string& track, const std::string& mode) {
        device.Reply(kCurrentTrack, track);
        device.Reply(kTrackCount, "10");
        device.Reply(kMode, mode);
        for (int t = 1; t <= 10; ++t) {
            device.Reply("status cdaudio position track " + std::to_string(t),
                         (t < 10 ? "0" : "") + std::to_string(t) + ":00:00:00");
        }
    }

    // Commands after the three status queries every working poll sends.
    std::vector<std::string> CommandsAfterStatus() const {
        const std::vector<std::string> all = device.Commands();
        EXPECT_GE(all.size(), 3u);
        EXPECT_EQ(all[0], kCurrentTrack);
        EXPECT_EQ(all[1], kTrackCount);
        EXPECT_EQ(all[2], kMode);
        return {all.begin() + 3, all.end()};
    }

    ScriptedMci device;
};

}  // namespace

TEST_F(MusicPlayerTest, MciCommandGivesTheErrorTextOrItsOwnWhenThereIsNone) {
    device.Fail("open cdaudio", 275);
    device.errorTexts[275] = "Cannot find the specified file.";
    std::string reply;
    EXPECT_EQ(MciCommand("open cdaudio", reply), 275);
    EXPECT_EQ(reply, "Cannot find the specified file.");
    EXPECT_EQ(ApiResult, 275);

    device.Fail("close cdaudio", 263);
    EXPECT_EQ(MciCommand("close cdaudio", reply), 263);
    EXPECT_EQ(reply,
              "Error (\x95\xB6\x8E\x9A\x97\xF1\x82\xAA\x8E\xE6\x82\xEA\x82\xDC\x82\xB9\x82\xF1)");
}

TEST_F(MusicPlayerTest, AnEmptyCommandIsNeverSent) {
    std::string reply;
    EXPECT_EQ(MciCommand("", reply), -1);
    EXPECT_EQ(reply,
              "\x83\x52\x83\x7D\x83\x93\x83\x68\x95\xB6\x8E\x9A\x97\xF1\x82\xAA\x8E\x77\x92\xE8"
              "\x82\xB3\x82\xEA\x82\xC4\x82\xA2\x82\xDC\x82\xB9\x82\xF1");
    EXPECT_EQ(MciQuery(""), "Error:-1");
    EXPECT_THAT(device.sent, IsEmpty());
}

TEST_F(MusicPlayerTest, MciQueryGivesTheReplyOrMarksAFailureWithItsCode) {
    device.Fail(kCurrentTrack, 263);
    device.Reply(kTrackCount, "12");
    EXPECT_EQ(MciQuery(kCurrentTrack), "Error:263");
    EXPECT_EQ(ApiResult, 263);
    EXPECT_EQ(MciQuery(kTrackCount), "12");
    EXPECT_EQ(ReplyText, "12");
    EXPECT_EQ(device.sent.at(1).replyLength, 512u);
}

TEST_F(MusicPlayerTest, MciPlayNamesOnlyThePositionsGiven) {
    MciPlay("cdaudio", "", "");
    MciPlay("cdaudio", "03:00:00:00", "");
    MciPlay("cdaudio", "", "04:00:00:00");
    MciPlay("cdaudio", "1", "2");
    EXPECT_THAT(device.Commands(),
                ElementsAre("play cdaudio", "play cdaudio from 03:00:00:00",
                            "play cdaudio to 04:00:00:00", "play cdaudio from 1 to 2"));
}

TEST_F(MusicPlayerTest, AnEmptyDriveEndsCDPollingAfterTheFirstTick) {
    device.Fail(kCurrentTrack, 263);
    player.PollCD();
    EXPECT_EQ(CDAvailable, Bool16::False);
    EXPECT_THAT(device.Commands(), ElementsAre(kCurrentTrack));

    device.sent.clear();
    device.Reply(kCurrentTrack, "1");
    device.Fail(kTrackCount, 263);
    player.PollCD();
    EXPECT_EQ(CDAvailable, Bool16::False);
    EXPECT_THAT(device.Commands(), ElementsAre(kCurrentTrack, kTrackCount));
}

TEST_F(MusicPlayerTest, WithoutARepeatTrackOnlyAStoppedDiscIsStarted) {
    Disc("5", "playing");
    player.PollCD();
    EXPECT_EQ(CDAvailable, Bool16::True);
    EXPECT_THAT(CommandsAfterStatus(), IsEmpty());
    EXPECT_EQ(device.sent.at(2).replyLength, 255u);

    device.sent.clear();
    Disc("5", "stopped");
    player.PollCD();
    EXPECT_EQ(CDAvailable, Bool16::True);
    EXPECT_THAT(CommandsAfterStatus(), ElementsAre("play cdaudio"));
}

TEST_F(MusicPlayerTest, ARepeatTrackIsStartedAgainWhenTheDiscMovesOnOrStops) {
    BGMRepeat = 3;
    Disc("4", "playing");
    player.PollCD();
    EXPECT_THAT(CommandsAfterStatus(),
                ElementsAre("status cdaudio position track 3", "play cdaudio from 03:00:00:00"));

    device.sent.clear();
    Disc("3", "stopped");
    player.PollCD();
    EXPECT_THAT(CommandsAfterStatus(),
                ElementsAre("status cdaudio position track 3", "play cdaudio from 03:00:00:00"));

    device.sent.clear();
    Disc("3", "playing");
    player.PollCD();
    EXPECT_THAT(CommandsAfterStatus(), IsEmpty());
    EXPECT_EQ(CDAvailable, Bool16::True);
}

TEST_F(MusicPlayerTest, ACurrentTrackThatIsNotANumberFailsThePollWithARepeatTrack) {
    BGMRepeat = 3;
    Disc("three", "playing");
    player.PollCD();
    EXPECT_EQ(CDAvailable, Bool16::False);
    EXPECT_THAT(CommandsAfterStatus(), IsEmpty());
}

TEST_F(MusicPlayerTest, ARepeatTrackTheDiscLacksNeverBecomesAStartPosition) {
    BGMRepeat = 12;
    Disc("4", "playing");
    device.Fail("status cdaudio position track 12", 274);
    player.PollCD();
    EXPECT_EQ(CDAvailable, Bool16::True);
    EXPECT_THAT(CommandsAfterStatus(), ElementsAre("status cdaudio position track 12"));

    device.sent.clear();
    device.Reply(kMode, "stopped");
    player.PollCD();
    EXPECT_EQ(CDAvailable, Bool16::True);
    EXPECT_THAT(CommandsAfterStatus(),
                ElementsAre("status cdaudio position track 12", "play cdaudio"));
}

TEST_F(MusicPlayerTest, PlayMP3OpensTheFileUnderItsAliasAndPlaysOnlyIfItOpened) {
    BGMFile = "D:\\My Music\\song.mp3";
    const std::string open = "open \"D:\\My Music\\song.mp3\" type MPEGVideo Alias MP3Play";
    player.PlayMP3();
    EXPECT_THAT(device.Commands(), ElementsAre(open, "play MP3Play"));

    device.sent.clear();
    device.Fail(open, 275);
    player.PlayMP3();
    EXPECT_THAT(device.Commands(), ElementsAre(open));
}

TEST_F(MusicPlayerTest, PollMP3RestartsTheFileFromItsStartWhenNotPlaying) {
    device.Reply("status MP3Play mode", "playing");
    player.PollMP3();
    EXPECT_THAT(device.Commands(), ElementsAre("status MP3Play mode"));
    EXPECT_EQ(device.sent.at(0).replyLength, 30u);

    for (const char* mode : {"stopped", "paused"}) {
        device.sent.clear();
        device.Reply("status MP3Play mode", mode);
        player.PollMP3();
        EXPECT_THAT(device.Commands(),
                    ElementsAre("status MP3Play mode", "stop MP3Play", "play MP3Play from 0"));
    }

    device.sent.clear();
    device.Fail("status MP3Play mode", 263);
    EXPECT_EQ(player.IsMP3Playing(), Bool16::False);
}

TEST_F(MusicPlayerTest, WaveFilesLoopOnlyWhenThereIsAnOutputDevice) {
    BGMFile = "D:\\Music\\loop.wav";
    device.waveDevices = 0;
    player.PlayWave();
    EXPECT_THAT(device.sounds, IsEmpty());

    device.waveDevices = 1;
    player.PlayWave();
    player.StopWave();
    EXPECT_THAT(device.sounds, ElementsAre(std::make_pair(std::string("D:\\Music\\loop.wav"), 9u),
                                           std::make_pair(std::string(""), 0u)));
}

TEST_F(MusicPlayerTest, StartAndStopCommandsWantNoReplies) {
    player.OpenCD();
    player.StopCD();
    player.StopMP3();
    EXPECT_THAT(device.Commands(),
                ElementsAre("open cdaudio", "set cdaudio time format tmsf", "stop cdaudio",
                            "close cdaudio", "stop MP3Play", "close MP3Play"));
    for (const ScriptedMci::Sent& s : device.sent) {
        EXPECT_EQ(s.replyLength, 0u);
    }
}

TEST(MusicPlayerWithoutPorts, EverythingFailsQuietly) {
    player.PollCD();
    EXPECT_EQ(CDAvailable, Bool16::False);
    EXPECT_EQ(player.IsMP3Playing(), Bool16::False);
    player.PlayWave();
    player.StopWave();
}
