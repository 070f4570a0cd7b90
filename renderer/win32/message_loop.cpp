#include "win32/message_loop.h"

#include <mmsystem.h>

#include <algorithm>
#include <chrono>

#include "shell/frame_pacing.h"
#include "shell/frame_step.h"
#include "timing/frame_timing.h"
#include "win32/render_window.h"
#include "win32/swap_control.h"

namespace {

// The system's timer ticks every 15.6 ms or so, too coarse to wait out the rest of a 16.7 ms
// frame; for as long as the show runs, waits end to the millisecond.
class FineWaits {
  public:
    FineWaits() {
        TIMECAPS capabilities{};
        if (timeGetDevCaps(&capabilities, sizeof capabilities) == MMSYSERR_NOERROR) {
            const UINT period = std::max<UINT>(1, capabilities.wPeriodMin);
            period_ = timeBeginPeriod(period) == TIMERR_NOERROR ? period : 0;
        }
    }
    ~FineWaits() {
        if (period_ != 0) {
            timeEndPeriod(period_);
        }
    }
    FineWaits(const FineWaits&) = delete;
    FineWaits& operator=(const FineWaits&) = delete;

  private:
    UINT period_ = 0;
};

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

// Rests until the next frame is due, or until a message comes, whichever is first: a message is
// handled at once, whatever the pace.
void WaitForFrameOrMessage(PacingClock::time_point due) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(due - PacingClock::now());
    if (left.count() > 0) {
        MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(left.count()), QS_ALLINPUT,
                                    MWMO_INPUTAVAILABLE);
    }
}

}  // namespace

WPARAM RunMessageLoop() {
    const FineWaits fineWaits;
    const std::chrono::microseconds period = LoopPeriod();
    MSG message = {};
    PacingClock::time_point due = PacingClock::now();
    for (;;) {
        if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (HandleMessage(message)) {
                break;
            }
        } else if (PacingClock::now() < due) {
            WaitForFrameOrMessage(due);
        } else {
            const bool escapeDown = ProduceFrame();
            due = NextFrameDue(due, PacingClock::now(), period);
            if (escapeDown) {
                break;
            }
        }
    }
    return message.wParam;
}
