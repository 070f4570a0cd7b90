#include "kessamir_s.h"

#include "forms/access.h"
#include "forms/runtime.h"
#include "forms/units.h"
#include "forms/window_search.h"
#include "logic/renderer_path.h"
#include "logic/window_titles.h"
#include "music/settings.h"
#include "rules/shared_values.h"
#include "run_timing.h"
#include "system/running_program.h"
#include "system/wide_text.h"

Kessamir_S::Kessamir_S(std::string modeLetter)
    : forms::Form({kRunFormTitle, forms::BorderStyle::None, RGB(0, 0, 0)}),
      modeLetter_(std::move(modeLetter)) {}

void Kessamir_S::Form_Load() {
    NoteRunStep(RunStep::Loading);
    RunFormPorts& ports = *this;
    logic_.emplace(ports, music_, RunSettings{BGMKind, BGMFile, modeLetter_}, CursorCount);
    logic_->Form_Load();
}

void Kessamir_S::Form_QueryUnload(bool&) {
    logic_->Form_QueryUnload();
}

void Kessamir_S::CaptureDesktop() {
    Move(0, 0, forms::TwipsOf(forms::ScreenWidthPixels()),
         forms::TwipsOf(forms::ScreenHeightPixels()));
    Display.Move(0, 0, ScaleWidth(), ScaleHeight());
    HWND desktop = GetDesktopWindow();
    HDC desktopDc = GetDC(desktop);
    ApiResult = BitBlt(Display.hDC(), 0, 0, ScaleWidth(), ScaleHeight(), desktopDc, 0, 0, SRCCOPY);
    ApiResult = ReleaseDC(desktop, desktopDc);
    NoteRunStep(RunStep::Captured);
}

void Kessamir_S::SaveSnapshot() {
    forms::Access privateFile(forms::Access::Kind::PrivateFile);
    Display.SavePicture(Widen(kSnapshotPath), privateFile.Attributes());
    NoteRunStep(RunStep::Saved);
}

// A file that cannot be deleted (read-only, or another user's) stays as it is, as a failed
// write does: nothing is shown.
void Kessamir_S::DeleteSnapshot() {
    DeleteFileW(Widen(kSnapshotPath).c_str());
}

void Kessamir_S::StartRenderer() {
    renderer_ = forms::StartProgram(RendererPath(RunningProgramFolder()), SW_SHOWNORMAL);
    NoteRendererStarted(renderer_.Handle());
}

bool Kessamir_S::RendererRunning() {
    return renderer_.Running();
}

void Kessamir_S::ReleaseRenderer() {
    renderer_.Release();
}

bool Kessamir_S::RendererWindowExists() {
    return forms::TopLevelWindowExists(kRendererWindowTitle);
}

void Kessamir_S::RecordDisplayMode() {
    displayModeBeforeShow_ = display_.Current();
}

void Kessamir_S::RestoreDisplayMode() {
    forms::GiveBackDisplayMode(displayModeBeforeShow_, display_);
}

uint32_t Kessamir_S::NowMilliseconds() {
    return GetTickCount();
}

forms::Timer& Kessamir_S::TimerOf(RunTimer timer) {
    switch (timer) {
        case RunTimer::Timer1:
            return Timer1;
        case RunTimer::Timer2:
            return Timer2;
        case RunTimer::Timer3:
            return Timer3;
        case RunTimer::StartWatch:
            break;
    }
    return StartWatch;
}

bool Kessamir_S::TimerEnabled(RunTimer timer) {
    return TimerOf(timer).Enabled();
}

void Kessamir_S::SetTimerEnabled(RunTimer timer, bool enabled) {
    TimerOf(timer).SetEnabled(enabled);
}

void Kessamir_S::UnloadForm() {
    Unload();
}

int32_t Kessamir_S::ShowCursor(bool show) {
    return ::ShowCursor(show ? TRUE : FALSE);
}

void Kessamir_S::EndProgram() {
    forms::Runtime::End();
}
