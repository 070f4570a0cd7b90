#include <windows.h>

#include "bitmap/bitmap_reader.h"
#include "gl/scene.h"
#include "hand_off/hand_off.h"
#include "timing/frame_timing.h"
#include "win32/error_box.h"
#include "win32/message_loop.h"
#include "win32/render_window.h"

namespace {

constexpr int kRequestedWidth = 1024;
constexpr int kRequestedHeight = 768;
constexpr int kRequestedBits = 32;

// Read once the window shows, in the show's display mode, so that the reader's message box has
// a window to stand on. The picture is let go once it is the texture.
bool SetUpScene() {
    const BitmapDecodeResult desktop = ReadBitmapFile(kRendererSnapshotPath, ShowErrorBox);
    if (!desktop.image) {
        return false;
    }
    InitScene(*desktop.image);
    return true;
}

}  // namespace

// The screen saver starts the renderer with no arguments and never reads its exit code; a
// renderer that cannot start ends quietly with 0, the display mode given back.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    fullScreenMode = true;
    if (!OpenRenderWindow(kRendererWindowTitle, kRequestedWidth, kRequestedHeight, kRequestedBits,
                          fullScreenMode)) {
        return 0;
    }
    if (!SetUpScene()) {
        CloseRenderWindow();
        return 0;
    }
    const WPARAM lastWParam = RunMessageLoop();
    CloseRenderWindow();
    ReportFrameTiming();
    return static_cast<int>(lastWParam);
}
