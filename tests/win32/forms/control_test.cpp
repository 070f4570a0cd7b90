#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "forms/controls.h"
#include "forms/form.h"
#include "forms/gdi.h"
#include "painted_pixel.h"

namespace {

// One of our own windows that records its input events.
class RecordingControl : public forms::Control {
  public:
    using forms::Control::Control;
    std::vector<std::string> events;

  protected:
    bool TakesFocus() const override { return true; }
    void MouseDown(const forms::MouseEvent& e) override { Note("down", e.button); }
    void MouseUp(const forms::MouseEvent& e) override { Note("up", e.button); }
    void GotFocus() override { events.push_back("focus"); }

  private:
    void Note(const char* what, int button) {
        events.push_back(std::string(what) + std::to_string(button));
    }
};

// A real system combo box whose reports to the form come back to it.
class ReportingCombo : public forms::Control {
  public:
    using forms::Control::Control;
    std::vector<UINT> reports;

  protected:
    const wchar_t* SystemClass() const override { return L"COMBOBOX"; }
    DWORD ExtraStyle() const override { return CBS_DROPDOWN; }
    LRESULT HandleReport(UINT message, WPARAM wParam, LPARAM lParam) override {
        reports.push_back(message);
        return forms::Control::HandleReport(message, wParam, lParam);
    }
};

// The child is declared before its container on purpose.
struct HostForm : forms::Form {
    HostForm()
        : forms::Form({"Vorlenta control test", forms::BorderStyle::FixedSingle, RGB(192, 192, 192),
                       1, SIZE{496, 246}}) {}
    RecordingControl Inner{*this, Box, RECT{2, 2, 40, 20}};
    forms::PictureBox Box{*this, *this, RECT{10, 10, 110, 60}, RGB(255, 255, 255)};
    ReportingCombo Combo{*this, *this, RECT{10, 80, 150, 200}};
};

}  // namespace

TEST(Controls, FormTakesItsDesignClientSizeAndChildrenFollowTheirContainer) {
    HostForm form;
    form.Load();
    EXPECT_EQ(form.ScaleWidth(), 496);
    EXPECT_EQ(form.ScaleHeight(), 246);
    ASSERT_NE(form.Inner.WindowHandle(), nullptr);
    EXPECT_EQ(GetParent(form.Inner.WindowHandle()), form.Box.WindowHandle());
    form.Unload();
}

TEST(Controls, SystemControlsHearTheirOwnReportsToTheForm) {
    HostForm form;
    form.Load();
    HWND combo = form.Combo.WindowHandle();
    SendMessageW(form.WindowHandle(), WM_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
    SendMessageW(form.WindowHandle(), WM_CTLCOLOREDIT, 0, reinterpret_cast<LPARAM>(combo));
    EXPECT_EQ(form.Combo.reports, (std::vector<UINT>{WM_COMMAND, WM_CTLCOLOREDIT}));
    form.Unload();
}

TEST(Controls, APressKeepsTheMouseUntilItsReleaseAndALeftPressTakesTheFocus) {
    HostForm form;
    form.Show();
    HWND inner = form.Inner.WindowHandle();
    SendMessageW(inner, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    EXPECT_EQ(GetCapture(), inner);
    SendMessageW(inner, WM_LBUTTONUP, 0, MAKELPARAM(500, 500));  // released far outside
    EXPECT_EQ(GetCapture(), nullptr);
    SendMessageW(inner, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(3, 3));
    SendMessageW(inner, WM_RBUTTONUP, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(form.Inner.events,
              (std::vector<std::string>{"focus", "down1", "up1", "down2", "up2"}));
    form.Unload();
}

TEST(Controls, EveryGdiObjectOfAFormIsReleasedWithIt) {
    const int before = forms::LiveGdiObjects();
    {
        HostForm form;
        form.Load();
        for (int size = 1; size < 200; ++size) {
            form.Box.Move(10, 10, size, size / 2 + 1);
        }
        EXPECT_GT(forms::LiveGdiObjects(), before);
        form.Unload();
    }
    EXPECT_EQ(forms::LiveGdiObjects(), before);
}

TEST(Controls, AFontDescriptionBecomesAGdiFontOfItsPointSize) {
    const forms::FontDescription design{"ＭＳ Ｐゴシック", 9.75, SHIFTJIS_CHARSET, FW_BOLD, true};
    const int before = forms::LiveGdiObjects();
    {
        const forms::FontHandle font = forms::MakeFont(design, 96);
        ASSERT_TRUE(font);
        LOGFONTW made{};
        GetObjectW(font.Get(), sizeof(made), &made);
        EXPECT_EQ(made.lfHeight, -13);  // 9.75 points at 96 pixels an inch
        EXPECT_EQ(made.lfWeight, FW_BOLD);
        EXPECT_EQ(made.lfCharSet, SHIFTJIS_CHARSET);
        EXPECT_TRUE(made.lfUnderline);
        EXPECT_STREQ(made.lfFaceName, L"ＭＳ Ｐゴシック");
    }
    EXPECT_EQ(forms::LiveGdiObjects(), before);
}

namespace {

// Windowless graphics on a form and inside a picture box.
struct GraphicsForm : forms::Form {
    GraphicsForm()
        : forms::Form({"Vorlenta graphics test", forms::BorderStyle::None, RGB(192, 192, 192), 1,
                       SIZE{200, 100}}) {}
    forms::PictureBox Box{*this, *this, RECT{10, 10, 150, 60}, RGB(255, 255, 255)};
    forms::Label Inside{Box, RECT{5, 5, 60, 20}, {"inside", {}, 0}};
    forms::Image Marks[2] = {{Box, RECT{70, 5, 83, 18}}, {Box, RECT{90, 5, 103, 18}}};
    forms::Label OnForm{*this, RECT{10, 70, 100, 85}, {"link", {}, 0}};
};

LPARAM At(int x, int y) {
    return MAKELPARAM(x, y);
}

}  // namespace

TEST(Graphics, PressesOverAGraphicReachItWithTheirButtonAndALeftClickClicks) {
    GraphicsForm form;
    form.Show();
    std::vector<std::string> events;
    form.Inside.MouseDown = [&](const forms::MouseEvent& e) {
        events.push_back("inside" + std::to_string(e.button) + "@" + std::to_string(e.x));
    };
    form.OnForm.Click = [&] { events.push_back("click"); };
    HWND box = form.Box.WindowHandle();
    SendMessageW(box, WM_RBUTTONDOWN, MK_RBUTTON, At(8, 8));
    SendMessageW(box, WM_RBUTTONUP, 0, At(8, 8));
    SendMessageW(form.WindowHandle(), WM_LBUTTONDOWN, MK_LBUTTON, At(20, 75));
    SendMessageW(form.WindowHandle(), WM_LBUTTONUP, 0, At(20, 75));
    SendMessageW(form.WindowHandle(), WM_LBUTTONDOWN, MK_LBUTTON, At(20, 75));
    SendMessageW(form.WindowHandle(), WM_LBUTTONUP, 0, At(150, 95));  // released elsewhere
    form.Inside.SetEnabled(false);
    SendMessageW(box, WM_LBUTTONDOWN, MK_LBUTTON, At(8, 8));
    SendMessageW(box, WM_LBUTTONUP, 0, At(8, 8));
    EXPECT_EQ(events, (std::vector<std::string>{"inside2@3", "click"}));
    form.Unload();
}

// A press anywhere holds the mouse for the window that got it, so that its release cannot
// reach another control (and click a button the pointer was dragged onto).
TEST(Graphics, APressOnTheFormOrOnAGraphicHoldsTheMouseUntilItsRelease) {
    GraphicsForm form;
    form.Show();
    const struct {
        HWND window;
        POINT at;
    } presses[] = {{form.WindowHandle(), {180, 90}},    // the form's own background
                   {form.WindowHandle(), {20, 75}},     // a label on the form
                   {form.Box.WindowHandle(), {8, 8}}};  // a label in the picture box
    for (const auto& press : presses) {
        SendMessageW(press.window, WM_LBUTTONDOWN, MK_LBUTTON, At(press.at.x, press.at.y));
        EXPECT_EQ(GetCapture(), press.window);
        SendMessageW(press.window, WM_LBUTTONUP, 0, At(press.at.x, press.at.y));
        EXPECT_EQ(GetCapture(), nullptr);
    }
    form.Unload();
}

// A 12 x 12 picture of one colour.
std::shared_ptr<const forms::Picture> Plain(COLORREF colour) {
    HDC screen = GetDC(nullptr);
    forms::Bitmap bitmap(CreateCompatibleBitmap(screen, 12, 12));
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, bitmap.Get());
    const RECT all{0, 0, 12, 12};
    forms::FillSolid(memory, all, colour);
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return std::make_shared<const forms::Picture>(std::move(bitmap));
}

COLORREF PrintedPixel(const forms::Control& control, int x, int y) {
    return PaintedPixel(control.WindowHandle(), WM_PRINTCLIENT, PRF_CLIENT, control.Width(),
                        control.Height(), x, y);
}

TEST(Graphics, AnImageStretchesItsPictureAndASharedPictureLivesOnWithItsLastImage) {
    const int before = forms::LiveGdiObjects();
    {
        GraphicsForm form;
        form.Load();
        auto picture = Plain(RGB(200, 0, 0));
        for (forms::Image& mark : form.Marks) {
            mark.SetPicture(picture);
        }
        picture.reset();
        form.Marks[0].SetPicture(nullptr);
        // The 12-pixel picture fills the 13-pixel image, its last column and row included.
        EXPECT_EQ(PrintedPixel(form.Box, 90 + 12, 5 + 12), RGB(200, 0, 0));
        EXPECT_EQ(PrintedPixel(form.Box, 70 + 12, 5 + 12), RGB(255, 255, 255));
        form.Unload();
    }
    EXPECT_EQ(forms::LiveGdiObjects(), before);
}
