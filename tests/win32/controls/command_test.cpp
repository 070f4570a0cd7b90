#include "controls/command.h"

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "controls/skin_resources.h"
#include "forms/form.h"

namespace {

using command::Command;

// A host form holding the dialog's three buttons, restored as the dialog restores them.
class HostForm : public forms::Form {
  public:
    HostForm()
        : forms::Form({"Vorlenta command test", forms::BorderStyle::None, RGB(236, 233, 216)}) {}

    Command Cmd_Set{*this, *this, RECT{10, 10, 20, 20}};
    Command Cmd_Can{*this, *this, RECT{10, 50, 20, 60}};
    Command Cmd_File{*this, *this, RECT{10, 90, 20, 100}};
    std::vector<std::string> announced;

    void RestoreButtons() {
        const forms::FontDescription& font = forms::kDefaultAmbientFont;
        Cmd_Set.Restore(command::StoredCommand("設定", 1155, 375));
        Cmd_Can.Restore(command::StoredCommand("ｷｬﾝｾﾙ", 1155, 375, &font));
        Cmd_File.Restore(command::StoredCommand("...", 615, 315, &font));
        for (Command* button : {&Cmd_Set, &Cmd_Can, &Cmd_File}) {
            button->Initialize();
        }
    }

  private:
    void UserControl_PropertyChanged(forms::UserControl&, std::string_view property) override {
        announced.emplace_back(property);
    }
};

// A picture of the control as it paints itself, read pixel by pixel.
class Snapshot {
  public:
    explicit Snapshot(const forms::Control& control)
        : width_(control.Width()), height_(control.Height()) {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width_, -height_, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        old_ = SelectObject(dc_, bitmap_);
        SendMessageW(control.WindowHandle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_),
                     PRF_CLIENT);
        GdiFlush();
        pixels_ = static_cast<const DWORD*>(bits);
    }
    ~Snapshot() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    COLORREF At(int x, int y) const {
        const DWORD p = pixels_[y * width_ + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }

  private:
    int width_, height_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
    const DWORD* pixels_;
};

COLORREF SkinPixel(int resource, int x, int y) {
    HBITMAP skin =
        static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resource),
                                        IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, skin);
    const COLORREF pixel = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(skin);
    return pixel;
}

bool Near(int actual, int expected) {
    return std::abs(actual - expected) <= 1;
}

// The gradient's colour on row Y of H rows: white over lavender grey, or the reverse.
COLORREF GradientRow(int y, int height, bool flipped) {
    const int top[3] = {255, 255, 255};
    const int bottom[3] = {198, 197, 215};
    const int* from = flipped ? bottom : top;
    const int* to = flipped ? top : bottom;
    int channel[3];
    for (int i = 0; i < 3; ++i) {
        channel[i] = from[i] + (to[i] - from[i]) * y / (height - 1);
    }
    return RGB(channel[0], channel[1], channel[2]);
}

bool NearColour(COLORREF a, COLORREF b) {
    return Near(GetRValue(a), GetRValue(b)) && Near(GetGValue(a), GetGValue(b)) &&
           Near(GetBValue(a), GetBValue(b));
}

struct Face {
    const char* name;
    std::function<void(Command&)> reach;
    int skin;
    bool flipped;
};

void Hover(Command& button) {
    SendMessageW(button.WindowHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
}

const Face kFaces[] = {
    {"Normal", [](Command&) {}, IDB_SKIN_NORMAL, false},
    {"HighLight", Hover, IDB_SKIN_HIGHLIGHT, true},
    {"Selected", [](Command& b) { SetFocus(b.WindowHandle()); }, IDB_SKIN_SELECTED, false},
    {"HighLightSelect",
     [](Command& b) {
         SetFocus(b.WindowHandle());
         Hover(b);
     },
     IDB_SKIN_HIGHLIGHT, false},
    {"Pressed",
     [](Command& b) {
         Hover(b);
         SendMessageW(b.WindowHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
     },
     IDB_SKIN_PRESSED, true},
    {"Disable", [](Command& b) { b.Enabled(false); }, IDB_SKIN_DISABLE, false},
};

void ExpectFace(const Command& button, const Face& face) {
    const int w = button.Width();
    const int h = button.Height();
    const Snapshot shot(button);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            ASSERT_EQ(shot.At(x, y), SkinPixel(face.skin, x, y)) << face.name << " " << w;
            ASSERT_EQ(shot.At(w - 4 + x, y), SkinPixel(face.skin, 60 + x, y)) << face.name;
            ASSERT_EQ(shot.At(x, h - 4 + y), SkinPixel(face.skin, x, 21 + y)) << face.name;
            ASSERT_EQ(shot.At(w - 4 + x, h - 4 + y), SkinPixel(face.skin, 60 + x, 21 + y))
                << face.name;
        }
    }
    for (int y = 4; y < h - 4; ++y) {
        EXPECT_TRUE(NearColour(shot.At(5, y), GradientRow(y, h, face.flipped)))
            << face.name << " " << w << " row " << y;
    }
}

// The caption's ink: pixels much darker than the gradient behind them.
struct Ink {
    int left = 1 << 30, right = -1, top = 1 << 30, darkest = 255;
};

Ink CaptionInk(const Command& button) {
    const Snapshot shot(button);
    Ink ink;
    for (int y = 4; y < button.Height() - 4; ++y) {
        for (int x = 4; x < button.Width() - 4; ++x) {
            const int grey = GetGValue(shot.At(x, y));
            if (grey < 170) {
                ink.left = std::min(ink.left, x);
                ink.right = std::max(ink.right, x);
                ink.top = std::min(ink.top, y);
                ink.darkest = std::min(ink.darkest, grey);
            }
        }
    }
    return ink;
}

}  // namespace

TEST(Command, TheDialogsButtonsAreRestoredFromTheirStoredPropertiesAndSavedAlike) {
    HostForm form;
    form.Load();
    form.RestoreButtons();
    EXPECT_EQ(form.Cmd_Set.Width(), 77);
    EXPECT_EQ(form.Cmd_Set.Height(), 25);
    EXPECT_EQ(form.Cmd_File.Width(), 41);
    EXPECT_EQ(form.Cmd_File.Height(), 21);
    EXPECT_EQ(form.Cmd_Can.Caption(), "ｷｬﾝｾﾙ");
    EXPECT_EQ(form.Cmd_Can.Font(), forms::kDefaultAmbientFont);

    const forms::StoredControl saved = form.Cmd_Set.Save();
    EXPECT_EQ(saved.className, "Kessamir.Command");
    EXPECT_EQ(saved.widthTwips, 1155);
    EXPECT_EQ(saved.properties.ReadProperty<std::string>("Caption", ""), "設定");
    EXPECT_FALSE(saved.properties.Contains("Font"));  // the host's own font

    form.Cmd_File.Enabled(false);
    EXPECT_EQ(form.announced, std::vector<std::string>{"Enabled"});
    form.Unload();
}

TEST(Command, EachFaceShowsItsSkinsCornersOverTheLinearGradient) {
    HostForm form;
    form.Show();
    for (const Face& face : kFaces) {
        form.RestoreButtons();
        for (Command* button : {&form.Cmd_Set, &form.Cmd_File}) {
            SetFocus(form.WindowHandle());
            face.reach(*button);
            ExpectFace(*button, face);
            SendMessageW(button->WindowHandle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
            button->Enabled(true);
        }
    }
    form.Unload();
}

TEST(Command, TheCaptionIsCentredAndGreyedWhenDisabled) {
    HostForm form;
    form.Show();
    form.RestoreButtons();
    for (Command* button : {&form.Cmd_Set, &form.Cmd_Can, &form.Cmd_File}) {
        const Ink ink = CaptionInk(*button);
        ASSERT_GE(ink.right, ink.left) << button->Caption();
        // Centring goes by the caption's advance width, so the glyphs' side bearings may
        // shift the ink by up to two pixels (four in these doubled coordinates).
        EXPECT_LE(std::abs((ink.left + ink.right + 1) - button->Width()), 4) << button->Caption();
        EXPECT_LT(ink.darkest, 60) << button->Caption();
    }
    form.Cmd_Set.Enabled(false);
    const Ink greyed = CaptionInk(form.Cmd_Set);
    EXPECT_GT(greyed.darkest, 90);
    EXPECT_LT(greyed.darkest, 170);
    form.Unload();
}

TEST(Command, ReleasesEveryGdiObjectItMakesForItsFaces) {
    const int before = forms::LiveGdiObjects();
    {
        HostForm form;
        form.Show();
        form.RestoreButtons();
        const int restored = forms::LiveGdiObjects();
        HWND window = form.Cmd_Set.WindowHandle();
        for (int change = 0; change < 5000; change += 2) {
            SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
            SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
            SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
            SetFocus(form.WindowHandle());
            UpdateWindow(window);
        }
        EXPECT_EQ(forms::LiveGdiObjects(), restored);
        form.Unload();
    }
    EXPECT_EQ(forms::LiveGdiObjects(), before);
}

TEST(Command, OnlyAMouseButtonsReleaseClicksNeverSpaceOrEnter) {
    HostForm form;
    form.Show();
    form.RestoreButtons();
    int clicks = 0;
    form.Cmd_Set.Click = [&] { ++clicks; };
    HWND window = form.Cmd_Set.WindowHandle();
    SetFocus(window);
    for (WPARAM key : {VK_SPACE, VK_RETURN}) {
        SendMessageW(window, WM_KEYDOWN, key, 0);
        SendMessageW(window, WM_CHAR, key, 0);
        SendMessageW(window, WM_KEYUP, key, 0);
    }
    EXPECT_EQ(clicks, 0);
    SetFocus(form.WindowHandle());  // a focused button the pointer left raises no Click
    SendMessageW(window, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    SendMessageW(window, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(clicks, 1);
    form.Unload();
}
