#include "win32/render_window.h"

#include <algorithm>

#include <gtest/gtest.h>

namespace {

LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam = 0) {
    return RenderWindowProc(nullptr, message, wParam, lParam);
}

bool TakeQuitMessage(WPARAM& exitCode) {
    MSG message;
    if (!PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        return false;
    }
    exitCode = message.wParam;
    return true;
}

TEST(RenderWindowProc, TracksKeysHeldDownByVirtualKeyCode) {
    EXPECT_EQ(Send(WM_KEYDOWN, VK_ESCAPE), 0);
    EXPECT_TRUE(keyDown[VK_ESCAPE]);
    EXPECT_EQ(Send(WM_KEYUP, VK_ESCAPE), 0);
    EXPECT_FALSE(keyDown[VK_ESCAPE]);
}

TEST(RenderWindowProc, IgnoresKeyMessagesBeyondTheKeyTable) {
    // A posted message may carry any value; it must not write past the 256 entries.
    bool before[256];
    std::copy(keyDown, keyDown + 256, before);
    windowActive = false;
    fullScreenMode = false;
    EXPECT_EQ(Send(WM_KEYDOWN, 256), 0);
    EXPECT_EQ(Send(WM_KEYDOWN, 257), 0);
    EXPECT_EQ(Send(WM_KEYDOWN, 0x10000), 0);
    EXPECT_TRUE(std::equal(keyDown, keyDown + 256, before));
    EXPECT_FALSE(windowActive);
    EXPECT_FALSE(fullScreenMode);
    windowActive = true;
}

TEST(RenderWindowProc, StopsDrawingWhileMinimised) {
    Send(WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 1));
    EXPECT_FALSE(windowActive);
    Send(WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0));
    EXPECT_TRUE(windowActive);
    // Losing the focus without being minimised keeps the animation drawn.
    Send(WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0));
    EXPECT_TRUE(windowActive);
}

TEST(RenderWindowProc, AnotherProgramTakingTheActivationEndsTheShowOnce) {
    WPARAM exitCode = 99;
    Send(WM_ACTIVATEAPP, FALSE);  // before the show was ever active: not the user's doing
    EXPECT_FALSE(TakeQuitMessage(exitCode));
    Send(WM_ACTIVATEAPP, TRUE);
    // The renderer's own message box deactivates its window, not its program.
    Send(WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0));
    Send(WM_NCACTIVATE, FALSE);
    EXPECT_FALSE(TakeQuitMessage(exitCode));
    Send(WM_ACTIVATEAPP, FALSE);
    ASSERT_TRUE(TakeQuitMessage(exitCode));
    EXPECT_EQ(exitCode, 0u);
    Send(WM_ACTIVATEAPP, FALSE);
    EXPECT_FALSE(TakeQuitMessage(exitCode));
}

TEST(RenderWindowProc, CloseAsksTheLoopToEndWithExitCodeZero) {
    EXPECT_EQ(Send(WM_CLOSE, 0), 0);
    WPARAM exitCode = 99;
    ASSERT_TRUE(TakeQuitMessage(exitCode));
    EXPECT_EQ(exitCode, 0u);
}

TEST(RenderWindowProc, SwallowsScreenSaverAndMonitorPowerRequests) {
    EXPECT_EQ(Send(WM_SYSCOMMAND, SC_SCREENSAVE), 0);
    EXPECT_EQ(Send(WM_SYSCOMMAND, SC_MONITORPOWER, 2), 0);
    WPARAM exitCode = 0;
    EXPECT_FALSE(TakeQuitMessage(exitCode));
}

}  // namespace
