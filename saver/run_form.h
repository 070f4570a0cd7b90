#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "music/music_player.h"
#include "music/settings.h"

// The run form's decisions, apart from the platform: what to start in which order, when to watch
// the renderer, and what to stop when the show ends.

enum class MusicFileType { None, Wave, Mp3 };

// The last three characters of the music file's name, folded to upper case, choose the player.
MusicFileType MusicFileTypeOf(std::string_view file);

enum class RunTimer {
    Timer1,      // MP3 watch, 1000 ms
    Timer2,      // CD watch, 200 ms
    Timer3,      // renderer watch, 100 ms
    StartWatch,  // waits, 50 ms at a time, for the renderer's window before Timer3 is armed
};

// What the run form needs from the platform.
class RunFormPorts {
  public:
    virtual ~RunFormPorts() = default;
    // Sizes the form and its canvas to the screen and copies the primary screen into it.
    virtual void CaptureDesktop() = 0;
    // Writes the snapshot so that only the user running the show can read it.
    virtual void SaveSnapshot() = 0;
    // The desktop's photograph is the user's: nothing reads it once the show is over.
    virtual void DeleteSnapshot() = 0;
    // Starts the renderer and keeps hold of its process until ReleaseRenderer.
    virtual void StartRenderer() = 0;
    virtual bool RendererRunning() = 0;
    virtual void ReleaseRenderer() = 0;
    virtual bool RendererWindowExists() = 0;
    // Notes the display mode the renderer will find, before it may switch to its own.
    virtual void RecordDisplayMode() = 0;
    // A renderer ended from outside (killed, or crashed) could not give back the display mode
    // it switched to; the recorded mode is put back once its window has gone.
    virtual void RestoreDisplayMode() = 0;
    virtual uint32_t NowMilliseconds() = 0;
    virtual bool TimerEnabled(RunTimer timer) = 0;
    virtual void SetTimerEnabled(RunTimer timer, bool enabled) = 0;
    virtual void UnloadForm() = 0;
    // Returns the display count, as the platform's ShowCursor does.
    virtual int32_t ShowCursor(bool show) = 0;
    virtual void EndProgram() = 0;
};

struct RunSettings {
    int16_t bgmKind = kNoMusic;
    std::string bgmFile;
    std::string modeLetter;
};

class RunForm {
  public:
    // The renderer switches the display mode before it opens its window, which can take a
    // while; the watch is armed once the window is there, the renderer has ended, or this much
    // time has passed.
    static constexpr uint32_t kStartWatchLimitMs = 10000;

    RunForm(RunFormPorts& ports, MusicPlayer& music, RunSettings settings, int32_t& cursorCount);

    void Form_Load();
    void Form_QueryUnload();
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();
    void StartWatch_Timer();

  private:
    void StartMusic();
    void StopMusic();
    void ArmRendererWatch();

    RunFormPorts& ports_;
    MusicPlayer& music_;
    RunSettings settings_;
    int32_t& cursorCount_;
    uint32_t rendererStartedAt_ = 0;
};
