// Kessamir_B: the screen saver's entry. Main decides, from the command line, which form
// takes over; the program then lives as long as a form is loaded.

#include <windows.h>

#include <cstdint>
#include <memory>

#include "forms/access.h"
#include "forms/display_scaling.h"
#include "forms/runtime.h"
#include "forms/window_search.h"
#include "kessamir_r.h"
#include "kessamir_s.h"
#include "logic/renderer_path.h"
#include "logic/startup.h"
#include "music/settings.h"
#include "music/win32_music_ports.h"
#include "settings/kessamir_p.h"
#include "system/wide_text.h"

namespace {

class Win32Startup final : public StartupPorts {
  public:
    bool WindowExists(const char* title) override { return forms::TopLevelWindowExists(title); }

    void ShowPreview(uint32_t previewHandle) override {
        previewForm_ = std::make_unique<Kessamir_R>();
        ::ShowPreview(*previewForm_, previewHandle);
    }

    // Every user of the machine meets the renderer in the same folder; none may read another's
    // desktop there.
    void CreateHandOffDirectory() override { forms::MakeSharedFolder(Widen(kHandOffDirectory)); }

    void LoadSettings() override { ::LoadSettings(); }

    void ShowSettingsDialogModal() override {
        Kessamir_P dialog;
        dialog.ShowModal();
    }

    int32_t ShowCursor(bool show) override { return ::ShowCursor(show ? TRUE : FALSE); }

    // The photograph must be the whole screen at any display scaling, so the run form and its
    // capture see the real pixels; the dialog and the preview keep Windows' scaling.
    void LoadRunForm(const std::string& modeLetter) override {
        forms::UseRealScreenPixels();
        runForm_ = std::make_unique<Kessamir_S>(modeLetter);
        runForm_->Load();
    }

    void EndProgram() override { forms::Runtime::End(); }

  private:
    std::unique_ptr<Kessamir_R> previewForm_;
    std::unique_ptr<Kessamir_S> runForm_;
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    UseWin32MusicPorts();
    Win32Startup startup;
    Main(commandLine, startup);
    return forms::Runtime::Run();
}
