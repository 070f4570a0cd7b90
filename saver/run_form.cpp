#include "run_form.h"

#include <utility>

#include "rules/text_rules.h"

MusicFileType MusicFileTypeOf(std::string_view file) {
    const std::string ending = UpperCase(file.size() > 3 ? file.substr(file.size() - 3) : file);
    if (ending == "WAV") {
        return MusicFileType::Wave;
    }
    if (ending == "MP3") {
        return MusicFileType::Mp3;
    }
    return MusicFileType::None;
}

RunForm::RunForm(RunFormPorts& ports, MusicPlayer& music, RunSettings settings,
                 int32_t& cursorCount)
    : ports_(ports), music_(music), settings_(std::move(settings)), cursorCount_(cursorCount) {}

void RunForm::Form_Load() {
    ports_.CaptureDesktop();
    // The snapshot is complete before the renderer starts: the renderer reads it once, at once.
    ports_.SaveSnapshot();
    StartMusic();
    ports_.RecordDisplayMode();
    ports_.StartRenderer();
    rendererStartedAt_ = ports_.NowMilliseconds();
    if (ports_.RendererRunning()) {
        ports_.SetTimerEnabled(RunTimer::StartWatch, true);
    } else {
        ArmRendererWatch();
    }
}

void RunForm::StartMusic() {
    if (settings_.bgmKind == kMusicCd) {
        // The CD starts at the first poll.
        music_.OpenCD();
        ports_.SetTimerEnabled(RunTimer::Timer2, true);
    }
    if (settings_.bgmKind == kMusicFile) {
        const MusicFileType type = MusicFileTypeOf(settings_.bgmFile);
        if (type == MusicFileType::Wave) {
            music_.PlayWave();
        }
        if (type == MusicFileType::Mp3) {
            music_.PlayMP3();
            ports_.SetTimerEnabled(RunTimer::Timer1, true);
        }
    }
}

void RunForm::StartWatch_Timer() {
    const bool waitedLongEnough =
        ports_.NowMilliseconds() - rendererStartedAt_ >= kStartWatchLimitMs;
    if (ports_.RendererWindowExists() || !ports_.RendererRunning() || waitedLongEnough) {
        ports_.SetTimerEnabled(RunTimer::StartWatch, false);
        ArmRendererWatch();
    }
}

void RunForm::ArmRendererWatch() {
    ports_.ReleaseRenderer();
    ports_.SetTimerEnabled(RunTimer::Timer3, true);
}

void RunForm::Timer1_Timer() {
    music_.PollMP3();
}

void RunForm::Timer2_Timer() {
    music_.PollCD();
    ports_.SetTimerEnabled(RunTimer::Timer2, music_.CDAvailable());
}

void RunForm::Timer3_Timer() {
    if (ports_.RendererWindowExists()) {
        return;
    }
    ports_.SetTimerEnabled(RunTimer::Timer3, false);
    ports_.RestoreDisplayMode();
    ports_.UnloadForm();
}

void RunForm::Form_QueryUnload() {
    StopMusic();
    ports_.DeleteSnapshot();
    if (settings_.modeLetter == "S") {
        cursorCount_ = ports_.ShowCursor(true);
    }
    ports_.EndProgram();
}

void RunForm::StopMusic() {
    if (ports_.TimerEnabled(RunTimer::Timer2)) {
        ports_.SetTimerEnabled(RunTimer::Timer2, false);
        music_.StopCD();
    }
    if (settings_.bgmKind == kMusicFile) {
        const MusicFileType type = MusicFileTypeOf(settings_.bgmFile);
        if (type == MusicFileType::Wave) {
            music_.StopWave();
        }
        if (type == MusicFileType::Mp3) {
            ports_.SetTimerEnabled(RunTimer::Timer1, false);
            music_.StopMP3();
        }
    }
}
