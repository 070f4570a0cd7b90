#include <windows.h>

#include "hand_off/hand_off.h"
#include "timing/frame_timing.h"
#include "win32/message_loop.h"
#include "win32/render_window.h"

namespace {

constexpr int kRequestedWidth = 1024;
constexpr int kRequestedHeight = 768;
constexpr int kRequestedBits = 32;

}  // namespace

// The screen saver starts the renderer with no arguments and never reads its exit code; a
// renderer that cannot start ends quietly with 0.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    fullScreenMode = true;
    if (!OpenRenderWindow(kRendererWindowTitle, kRequestedWidth, kRequestedHeight, kRequestedBits,
                          fullScreenMode)) {
        return 0;
    }
    const WPARAM lastWParam = RunMessageLoop();
    CloseRenderWindow();
    ReportFrameTiming();
    return static_cast<int>(lastWParam);
}
