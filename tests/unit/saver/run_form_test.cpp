#include "run_form.h"

#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "logic/renderer_path.h"

namespace {

const char* NameOf(RunTimer timer) {
    switch (timer) {
        case RunTimer::Timer1:
            return "Timer1";
        case RunTimer::Timer2:
            return "Timer2";
        case RunTimer::Timer3:
            return "Timer3";
        case RunTimer::StartWatch:
            return "StartWatch";
    }
    return "?";
}

// Records every platform and music call in one journal, so a test can check their order.
class FakeRun : public RunFormPorts, public MusicPlayer {
  public:
    std::vector<std::string> journal;
    std::map<RunTimer, bool> timers;
    bool rendererStarts = true;
    bool rendererRunning = false;
    bool rendererWindow = false;
    bool cdAvailable = true;
    uint32_t now = 0;
    int32_t cursorDisplayCount = 0;

    void CaptureDesktop() override { Log("CaptureDesktop"); }
    void SaveSnapshot() override { Log("SaveSnapshot"); }
    void DeleteSnapshot() override { Log("DeleteSnapshot"); }
    void StartRenderer() override {
        Log("StartRenderer");
        rendererRunning = rendererStarts;
    }
    bool RendererRunning() override { return rendererRunning; }
    void ReleaseRenderer() override { Log("ReleaseRenderer"); }
    bool RendererWindowExists() override { return rendererWindow; }
    void RecordDisplayMode() override { Log("RecordDisplayMode"); }
    void RestoreDisplayMode() override { Log("RestoreDisplayMode"); }
    uint32_t NowMilliseconds() override { return now; }
    bool TimerEnabled(RunTimer timer) override { return timers[timer]; }
    void SetTimerEnabled(RunTimer timer, bool enabled) override {
        timers[timer] = enabled;
        Log(std::string(NameOf(timer)) + (enabled ? " on" : " off"));
    }
    void UnloadForm() override { Log("UnloadForm"); }
    int32_t ShowCursor(bool show) override {
        Log(show ? "ShowCursor" : "HideCursor");
        return cursorDisplayCount;
    }
    void EndProgram() override { Log("EndProgram"); }

    void OpenCD() override { Log("OpenCD"); }
    void PollCD() override { Log("PollCD"); }
    void StopCD() override { Log("StopCD"); }
    bool CDAvailable() const override { return cdAvailable; }
    void PlayMP3() override { Log("PlayMP3"); }
    void PollMP3() override { Log("PollMP3"); }
    void StopMP3() override { Log("StopMP3"); }
    void PlayWave() override { Log("PlayWave"); }
    void StopWave() override { Log("StopWave"); }

    void Log(const std::string& entry) { journal.push_back(entry); }
    std::vector<std::string> Take() { return std::exchange(journal, {}); }
};

using Journal = std::vector<std::string>;

struct RunFormTest : ::testing::Test {
    FakeRun fake;
    int32_t cursorCount = 0;

    RunForm Make(int16_t kind, const std::string& file, const std::string& mode = "S") {
        return RunForm(fake, fake, RunSettings{kind, file, mode}, cursorCount);
    }
};

}  // namespace

TEST(MusicFileType, ChosenByTheLastThreeCharactersInAnyCase) {
    EXPECT_EQ(MusicFileTypeOf("C:\\m\\a.wav"), MusicFileType::Wave);
    EXPECT_EQ(MusicFileTypeOf("C:\\m\\a.Wav"), MusicFileType::Wave);
    EXPECT_EQ(MusicFileTypeOf("C:\\m\\a.MP3"), MusicFileType::Mp3);
    EXPECT_EQ(MusicFileTypeOf("wav"), MusicFileType::Wave);
    EXPECT_EQ(MusicFileTypeOf("C:\\m\\a.mp4"), MusicFileType::None);
    EXPECT_EQ(MusicFileTypeOf("av"), MusicFileType::None);
    EXPECT_EQ(MusicFileTypeOf(""), MusicFileType::None);
}

TEST(HandOff, RendererIsNamedByItsFullPath) {
    EXPECT_EQ(RendererPath(L"C:\\Тест Вор"), L"C:\\Тест Вор\\Vorlenta.dll");
    EXPECT_EQ(RendererPath(L"C:\\"), L"C:\\\\Vorlenta.dll");
}

TEST_F(RunFormTest, LoadWritesTheSnapshotAndNotesTheDisplayModeBeforeTheRendererStarts) {
    RunForm form = Make(0, "");
    form.Form_Load();
    EXPECT_EQ(fake.Take(), (Journal{"CaptureDesktop", "SaveSnapshot", "RecordDisplayMode",
                                    "StartRenderer", "StartWatch on"}));
}

TEST_F(RunFormTest, MusicStartsByKindAndFileType) {
    Make(1, "x.mp3").Form_Load();
    EXPECT_EQ(fake.Take(), (Journal{"CaptureDesktop", "SaveSnapshot", "OpenCD", "Timer2 on",
                                    "RecordDisplayMode", "StartRenderer", "StartWatch on"}));
    Make(2, "C:\\a.MP3").Form_Load();
    EXPECT_EQ(fake.Take(), (Journal{"CaptureDesktop", "SaveSnapshot", "PlayMP3", "Timer1 on",
                                    "RecordDisplayMode", "StartRenderer", "StartWatch on"}));
    Make(2, "C:\\a.wav").Form_Load();
    EXPECT_EQ(fake.Take(), (Journal{"CaptureDesktop", "SaveSnapshot", "PlayWave",
                                    "RecordDisplayMode", "StartRenderer", "StartWatch on"}));
    for (auto [kind, file] : {std::pair<int16_t, const char*>{2, "a.ogg"}, {2, ""}, {3, "a.mp3"}}) {
        Make(kind, file).Form_Load();
        EXPECT_EQ(fake.Take(), (Journal{"CaptureDesktop", "SaveSnapshot", "RecordDisplayMode",
                                        "StartRenderer", "StartWatch on"}))
            << kind << " " << file;
    }
}

TEST_F(RunFormTest, WatchIsArmedOnceTheRendererWindowExists) {
    RunForm form = Make(0, "");
    form.Form_Load();
    fake.Take();
    fake.now = 50;
    form.StartWatch_Timer();
    EXPECT_EQ(fake.Take(), Journal{});
    fake.rendererWindow = true;
    fake.now = 100;
    form.StartWatch_Timer();
    EXPECT_EQ(fake.Take(), (Journal{"StartWatch off", "ReleaseRenderer", "Timer3 on"}));
}

TEST_F(RunFormTest, WatchIsArmedWhenTheRendererEndsOrTakesTooLong) {
    RunForm ended = Make(0, "");
    ended.Form_Load();
    fake.Take();
    fake.rendererRunning = false;
    ended.StartWatch_Timer();
    EXPECT_EQ(fake.Take(), (Journal{"StartWatch off", "ReleaseRenderer", "Timer3 on"}));

    fake.now = 1000;
    RunForm slow = Make(0, "");
    slow.Form_Load();
    fake.Take();
    fake.now = 1000 + RunForm::kStartWatchLimitMs - 1;
    slow.StartWatch_Timer();
    EXPECT_EQ(fake.Take(), Journal{});
    fake.now = 1000 + RunForm::kStartWatchLimitMs;
    slow.StartWatch_Timer();
    EXPECT_EQ(fake.Take(), (Journal{"StartWatch off", "ReleaseRenderer", "Timer3 on"}));
}

TEST_F(RunFormTest, RendererThatCannotStartArmsTheWatchAtOnce) {
    fake.rendererStarts = false;
    Make(0, "").Form_Load();
    EXPECT_EQ(fake.Take(), (Journal{"CaptureDesktop", "SaveSnapshot", "RecordDisplayMode",
                                    "StartRenderer", "ReleaseRenderer", "Timer3 on"}));
}

// A killed renderer leaves its display mode behind; a close request while the renderer runs on
// must leave its full screen alone (the unload tests below restore nothing).
TEST_F(RunFormTest, RendererWatchRestoresTheDisplayModeAndUnloadsOnlyWhenTheWindowIsGone) {
    RunForm form = Make(0, "");
    fake.rendererWindow = true;
    form.Timer3_Timer();
    EXPECT_EQ(fake.Take(), Journal{});
    fake.rendererWindow = false;
    form.Timer3_Timer();
    EXPECT_EQ(fake.Take(), (Journal{"Timer3 off", "RestoreDisplayMode", "UnloadForm"}));
}

TEST_F(RunFormTest, CdWatchStopsForGoodWhenTheCdIsUnavailable) {
    RunForm form = Make(1, "");
    fake.timers[RunTimer::Timer2] = true;
    form.Timer2_Timer();
    EXPECT_EQ(fake.Take(), (Journal{"PollCD", "Timer2 on"}));
    fake.cdAvailable = false;
    form.Timer2_Timer();
    EXPECT_EQ(fake.Take(), (Journal{"PollCD", "Timer2 off"}));
    form.Form_QueryUnload();
    EXPECT_EQ(fake.Take(), (Journal{"DeleteSnapshot", "ShowCursor", "EndProgram"}));
}

TEST_F(RunFormTest, QueryUnloadStopsMusicDeletesTheSnapshotShowsTheCursorThenEnds) {
    fake.cursorDisplayCount = 0;
    fake.timers[RunTimer::Timer2] = true;
    Make(1, "").Form_QueryUnload();
    EXPECT_EQ(fake.Take(),
              (Journal{"Timer2 off", "StopCD", "DeleteSnapshot", "ShowCursor", "EndProgram"}));

    fake.cursorDisplayCount = 7;
    Make(2, "a.mp3").Form_QueryUnload();
    EXPECT_EQ(fake.Take(),
              (Journal{"Timer1 off", "StopMP3", "DeleteSnapshot", "ShowCursor", "EndProgram"}));
    EXPECT_EQ(cursorCount, 7);

    Make(2, "a.WAV").Form_QueryUnload();
    EXPECT_EQ(fake.Take(), (Journal{"StopWave", "DeleteSnapshot", "ShowCursor", "EndProgram"}));
}

TEST_F(RunFormTest, CursorIsShownAgainOnlyInModeS) {
    cursorCount = -1;
    Make(0, "", "").Form_QueryUnload();
    EXPECT_EQ(fake.Take(), (Journal{"DeleteSnapshot", "EndProgram"}));
    EXPECT_EQ(cursorCount, -1);
}
