#include "win32/message_loop.h"

#include "shell/frame_step.h"
#include "timing/frame_timing.h"
#include "win32/render_window.h"

namespace {

// Returns true when the loop must end.
bool HandleMessage(const MSG& message) {
    if (message.message == WM_QUIT) {
        return true;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
    return false;
}

void PresentFrame() {
    SwapBuffers(RenderDeviceContext());
    NoteSwappedFrame();
}

// While minimised nothing is drawn, but the buffers are still swapped and the clock still
// runs. Escape is looked at only at the end of a frame.
bool ProduceFrame() {
    StepFrame(windowActive, PresentFrame);
    return keyDown[VK_ESCAPE];
}

}  // namespace

WPARAM RunMessageLoop() {
    MSG message = {};
    bool done = false;
    while (!done) {
        if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            done = HandleMessage(message);
        } else {
            done = ProduceFrame();
        }
    }
    return message.wParam;
}
