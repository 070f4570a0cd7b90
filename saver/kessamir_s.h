#pragma once

#include <optional>
#include <string>

#include "forms/controls.h"
#include "forms/display_settings.h"
#include "forms/form.h"
#include "forms/process.h"
#include "forms/timer.h"
#include "music/music_player.h"
#include "run_form.h"

// The hidden run form: photographs the screen, hands it to the renderer, plays the music and
// watches the renderer's window until it goes.
class Kessamir_S : public forms::Form, private RunFormPorts {
  public:
    explicit Kessamir_S(std::string modeLetter);

  private:
    void Form_Load() override;
    void Form_QueryUnload(bool& cancel) override;

    // RunFormPorts
    void CaptureDesktop() override;
    void SaveSnapshot() override;
    void DeleteSnapshot() override;
    void StartRenderer() override;
    bool RendererRunning() override;
    void ReleaseRenderer() override;
    bool RendererWindowExists() override;
    void RecordDisplayMode() override;
    void RestoreDisplayMode() override;
    uint32_t NowMilliseconds() override;
    bool TimerEnabled(RunTimer timer) override;
    void SetTimerEnabled(RunTimer timer, bool enabled) override;
    void UnloadForm() override;
    int32_t ShowCursor(bool show) override;
    void EndProgram() override;

    forms::Timer& TimerOf(RunTimer timer);

    std::string modeLetter_;
    Kessamir_BGM music_;
    std::optional<RunForm> logic_;
    forms::Process renderer_;
    forms::SystemDisplaySettings display_;
    std::optional<forms::DisplayMode> displayModeBeforeShow_;

    forms::PictureBox Display{*this, *this, RECT{0, 0, 1, 1}, RGB(0, 0, 0)};
    forms::Timer Timer1{*this, 1000, [this] { logic_->Timer1_Timer(); }};
    forms::Timer Timer2{*this, 200, [this] { logic_->Timer2_Timer(); }};
    forms::Timer Timer3{*this, 100, [this] { logic_->Timer3_Timer(); }};
    forms::Timer StartWatch{*this, 50, [this] { logic_->StartWatch_Timer(); }};
};
