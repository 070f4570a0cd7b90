#include "win32/render_window.h"

#include <algorithm>
#include <vector>

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

TEST(RenderWindowProc, StopsDrawingWhileMinimisedWhicheverMessageSaysSo) {
    struct Step {
        UINT message;
        WPARAM wParam;
        bool drawn;
    };
    const Step steps[] = {
        {WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 1), false},
        {WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0), true},
        // Losing the focus without being minimised keeps the animation drawn.
        {WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), true},
        // Minimised without losing the activation, only the size says so.
        {WM_SIZE, SIZE_MINIMIZED, false},
        // Another window maximised says nothing about this one.
        {WM_SIZE, SIZE_MAXSHOW, false},
        {WM_SIZE, SIZE_RESTORED, true},
        {WM_SIZE, SIZE_MAXHIDE, true},
    };
    for (const Step& step : steps) {
        Send(step.message, step.wParam);
        EXPECT_EQ(windowActive, step.drawn) << step.message << " " << step.wParam;
    }
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

// The system tells a CBT hook of every command the default window procedure is about to carry
// out; this one notes them and carries none out.
std::vector<WPARAM> commandsCarriedOn;

LRESULT CALLBACK NoteSystemCommand(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_SYSCOMMAND) {
        commandsCarriedOn.push_back(wParam);
        return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(RenderWindowProc, SwallowsScreenSaverAndMonitorPowerRequestsAndPassesOnTheRest) {
    HWND window =
        CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    HHOOK hook = SetWindowsHookExA(WH_CBT, NoteSystemCommand, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    commandsCarriedOn.clear();
    for (const WPARAM command : {SC_SCREENSAVE, SC_MONITORPOWER, SC_CLOSE, SC_MINIMIZE}) {
        RenderWindowProc(window, WM_SYSCOMMAND, command, 2);
    }
    UnhookWindowsHookEx(hook);
    DestroyWindow(window);
    EXPECT_EQ(commandsCarriedOn, (std::vector<WPARAM>{SC_CLOSE, SC_MINIMIZE}));
}

}  // namespace
