#include "forms/form.h"

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "forms/display_scaling.h"
#include "forms/runtime.h"
#include "forms/timer.h"
#include "no_form_left.h"
#include "painted_pixel.h"

namespace {

// A form that records its events, in order.
class RecordingForm : public forms::Form {
  public:
    explicit RecordingForm(const char* caption, bool cancelUnload = false)
        : forms::Form({caption, forms::BorderStyle::None, RGB(192, 192, 192)}),
          cancelUnload_(cancelUnload) {}

    std::vector<std::string> events;
    bool cancelUnload_;

  private:
    void Form_Load() override { events.push_back("Load"); }
    void Form_QueryUnload(bool& cancel) override {
        events.push_back("QueryUnload");
        cancel = cancelUnload_;
    }
    void Form_Unload() override { events.push_back("Unload"); }
};

void PumpFor(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    MSG message;
    while (GetTickCount() - start < milliseconds) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                continue;  // the loop under test posts it; these tests pump by hand
            }
            DispatchMessageW(&message);
        }
        Sleep(5);
    }
}

}  // namespace

TEST(Form, LoadedFormIsAHiddenWindowFoundByItsTitle) {
    RecordingForm form("Vorlenta form test A");
    form.Load();
    HWND found = FindWindowA(nullptr, "Vorlenta form test A");
    EXPECT_EQ(found, form.WindowHandle());
    EXPECT_FALSE(IsWindowVisible(found));
    EXPECT_EQ(form.events, std::vector<std::string>{"Load"});
    form.Unload();
    EXPECT_EQ(form.events, (std::vector<std::string>{"Load", "QueryUnload", "Unload"}));
    EXPECT_EQ(FindWindowA(nullptr, "Vorlenta form test A"), nullptr);
    EXPECT_TRUE(NoFormLeft());
}

TEST(Form, QueryUnloadMayCancelAndCloseRequestsAsk) {
    RecordingForm form("Vorlenta form test B", /*cancelUnload=*/true);
    form.Load();
    SendMessageW(form.WindowHandle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(form.Loaded());
    form.cancelUnload_ = false;
    SendMessageW(form.WindowHandle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(form.Loaded());
    EXPECT_EQ(form.events,
              (std::vector<std::string>{"Load", "QueryUnload", "QueryUnload", "Unload"}));
}

TEST(Form, UnloadingTheLastFormEndsTheEventLoop) {
    RecordingForm form("Vorlenta form test C");
    int ticks = 0;
    forms::Timer timer(form, 20, [&] {
        if (++ticks == 3) {
            form.Unload();
        }
    });
    timer.SetEnabled(true);
    PumpFor(10);  // a quit request left over from earlier unloads
    form.Load();
    const DWORD start = GetTickCount();
    forms::Runtime::Run();
    EXPECT_EQ(ticks, 3);
    EXPECT_LT(GetTickCount() - start, 2000u);
    EXPECT_FALSE(form.Loaded());
}

TEST(Form, TimerTickNeverStartsWhileTheLastOneRuns) {
    RecordingForm form("Vorlenta form test D");
    int depth = 0;
    int deepest = 0;
    int ticks = 0;
    forms::Timer timer(form, 10, [&] {
        ++ticks;
        deepest = std::max(deepest, ++depth);
        PumpFor(100);  // a handler that runs a nested loop sees further WM_TIMERs
        --depth;
    });
    form.Load();
    timer.SetEnabled(true);
    PumpFor(400);
    timer.SetEnabled(false);
    form.Unload();
    EXPECT_GE(ticks, 2);
    EXPECT_EQ(deepest, 1);
}

TEST(Form, DisabledTimerDoesNotTick) {
    RecordingForm form("Vorlenta form test E");
    int ticks = 0;
    forms::Timer timer(form, 10, [&] { ++ticks; });
    form.Load();
    timer.SetEnabled(true);
    timer.SetEnabled(false);
    PumpFor(100);
    form.Unload();
    EXPECT_EQ(ticks, 0);
}

TEST(Form, FormGoesWithTheWindowThatHoldsIt) {
    HWND host = CreateWindowExW(0, L"STATIC", L"host", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                                nullptr, nullptr);
    RecordingForm form("Vorlenta form test F");
    form.Load();
    SetWindowLongW(form.WindowHandle(), GWL_STYLE, WS_CHILD);
    SetParent(form.WindowHandle(), host);
    DestroyWindow(host);
    EXPECT_FALSE(form.Loaded());
    EXPECT_EQ(form.events, (std::vector<std::string>{"Load", "Unload"}));
    EXPECT_TRUE(NoFormLeft());
}

namespace {

// Draws a two-colour background into its retained surface at every resize, as the dialog does.
class BackgroundForm : public forms::Form {
  public:
    BackgroundForm()
        : forms::Form({"Vorlenta form test G", forms::BorderStyle::FixedSingle, RGB(192, 192, 192),
                       1, SIZE{200, 100}, /*retainedBackground=*/true}) {}

  private:
    void Form_Resize() override {
        const RECT top{0, 0, ScaleWidth(), ScaleHeight() / 2};
        forms::FillSolid(hDC(), top, RGB(200, 10, 10));
    }
};

COLORREF ErasedPixel(HWND window, int x, int y) {
    return PaintedPixel(window, WM_ERASEBKGND, 0, 100, 100, x, y);
}

}  // namespace

TEST(Form, ARetainedBackgroundOfTheDesignedClientSizeIsWhatEveryEraseShows) {
    BackgroundForm form;
    form.Show();
    EXPECT_EQ(form.ScaleWidth(), 200);
    EXPECT_EQ(form.ScaleHeight(), 100);
    for (int erase = 0; erase < 2; ++erase) {
        EXPECT_EQ(ErasedPixel(form.WindowHandle(), 5, 5), RGB(200, 10, 10));
        EXPECT_EQ(ErasedPixel(form.WindowHandle(), 5, 80), RGB(192, 192, 192));
    }
    form.Unload();
}

// A program that declares no awareness of display scaling is shown a scaled screen; the run
// mode's photograph needs the real one. Windows itself is asked what the thread, and a window
// it makes afterwards, now see.
TEST(Platform, RealScreenPixelsReplaceWhatAProgramWithoutAwarenessIsShown) {
    const DPI_AWARENESS_CONTEXT before =
        SetThreadDpiAwarenessContext(DPI_AWARENESS_CONTEXT_UNAWARE);
    ASSERT_EQ(GetAwarenessFromDpiAwarenessContext(GetThreadDpiAwarenessContext()),
              DPI_AWARENESS_UNAWARE);

    EXPECT_TRUE(forms::UseRealScreenPixels());

    EXPECT_EQ(GetAwarenessFromDpiAwarenessContext(GetThreadDpiAwarenessContext()),
              DPI_AWARENESS_PER_MONITOR_AWARE);
    HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                  nullptr, nullptr);
    EXPECT_EQ(GetAwarenessFromDpiAwarenessContext(GetWindowDpiAwarenessContext(window)),
              DPI_AWARENESS_PER_MONITOR_AWARE);
    DestroyWindow(window);
    SetThreadDpiAwarenessContext(before);
}
