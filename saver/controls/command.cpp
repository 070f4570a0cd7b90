#include "controls/command.h"

#include "controls/skin_resources.h"
#include "forms/units.h"
#include "system/system_library.h"
#include "system/wide_text.h"

namespace command {
namespace {

constexpr int kSkinResources[] = {IDB_SKIN_NORMAL, IDB_SKIN_HIGHLIGHT, IDB_SKIN_SELECTED,
                                  IDB_SKIN_PRESSED, IDB_SKIN_DISABLE};

// HighLight and HighLightSelect share one picture.
size_t SkinIndex(Skin skin) {
    switch (skin) {
        case Skin::Normal:
            return 0;
        case Skin::HighLight:
        case Skin::HighLightSelect:
            return 1;
        case Skin::Selected:
            return 2;
        case Skin::Pressed:
            return 3;
        case Skin::Disable:
            return 4;
    }
    return 0;
}

// The skin pictures are drawn at the forms' own scale: 960 x 375 twips for 64 x 25 pixels.
RECT PixelRect(const TwipRect& twips) {
    const int left = forms::PixelsOf(twips.left);
    const int top = forms::PixelsOf(twips.top);
    return RECT{left, top, left + forms::PixelsOf(twips.width),
                top + forms::PixelsOf(twips.height)};
}

COLORREF ScreenColour(uint32_t labelColour) {
    if ((labelColour & kSystemColourFlag) != 0) {
        return GetSysColor(static_cast<int>(labelColour & 0xFF));
    }
    return static_cast<COLORREF>(labelColour);
}

COLORREF FaceBackColour() {
    return GetSysColor(COLOR_BTNFACE);
}

}  // namespace

Command::Command(forms::Form& form, forms::Container& parent, RECT bounds)
    : UserControl(form, parent, bounds),
      pointerPoll_(form, kPointerPollMs, [this] { PollPointer(); }),
      skinDc_(CreateCompatibleDC(nullptr)) {
    for (size_t i = 0; i < skins_.size(); ++i) {
        skins_[i] = forms::Bitmap(static_cast<HBITMAP>(
            LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kSkinResources[i]), IMAGE_BITMAP,
                       0, 0, LR_CREATEDIBSECTION)));
    }
    SetCaption(face_.Caption());
    SetCaptionFont(face_.Font());
}

void Command::ReadProperties(const forms::PropertyBag& bag) {
    face_.ReadProperties(bag, AmbientFont());
}

void Command::WriteProperties(forms::PropertyBag& bag) {
    face_.WriteProperties(bag, AmbientFont());
}

void Command::Resized() {
    surface_.Resize(Width(), Height(), FaceBackColour());
    face_.OnResize();
}

void Command::Paint(HDC dc) {
    if (opaque_) {
        surface_.CopyTo(dc);
    } else {
        PaintHostBackground(dc);
    }
    DrawCaption(dc);
}

// The pointer moving over the control, or over its caption; a held button keeps sending moves
// from outside, and those are not over it.
void Command::MouseMove(const forms::MouseEvent& event) {
    if (event.x >= 0 && event.y >= 0 && event.x < Width() && event.y < Height()) {
        face_.OnPointerMove();
    }
}

void Command::MouseDown(const forms::MouseEvent& event) {
    face_.OnMouseDown(event.button);
}

void Command::MouseUp(const forms::MouseEvent& event) {
    face_.OnMouseUp(event.button);
}

void Command::PollPointer() {
    POINT pointer{};
    if (!GetCursorPos(&pointer)) {
        return;
    }
    HWND under = WindowFromPoint(pointer);
    PointerPlace place = PointerPlace::Elsewhere;
    if (under == WindowHandle()) {
        place = PointerPlace::OverControl;
    } else if (under == HostForm().WindowHandle()) {
        place = PointerPlace::OverHostForm;
    }
    face_.OnPointerPoll(place);
}

int Command::WidthTwips() const {
    return forms::TwipsOf(Width());
}

int Command::HeightTwips() const {
    return forms::TwipsOf(Height());
}

void Command::PaintFace(Skin skin, const FaceLayout& layout) {
    if (surface_.Dc() == nullptr) {
        return;
    }
    forms::FillSolid(surface_.Dc(), RECT{0, 0, surface_.Width(), surface_.Height()},
                     FaceBackColour());
    DrawGradient(layout.gradient);
    DrawFrame(skin, layout.frame);
    captionTop_ = forms::PixelsOf(layout.captionTop);
    Refresh();
}

// Vertex 0 at the top left, vertex 1 at the bottom right, the rectangle named from 1 to 0;
// the rows between the two colours are blended linearly.
void Command::DrawGradient(const GradientColours& colours) {
    TRIVERTEX GradientVertices[3]{};
    GradientVertices[0] = {0, 0, colours.top.red, colours.top.green, colours.top.blue, 0};
    GradientVertices[1] = {surface_.Width() - 1, surface_.Height() - 1, colours.bottom.red,
                           colours.bottom.green, colours.bottom.blue,   0};
    GRADIENT_RECT GradientRect{1, 0};
    static const auto gradientFill =
        SystemFunction<decltype(&GradientFill)>(L"msimg32.dll", "GradientFill");
    if (gradientFill != nullptr) {
        gradientFill(surface_.Dc(), GradientVertices, 2, &GradientRect, 1, GRADIENT_FILL_RECT_V);
    }
}

void Command::DrawFrame(Skin skin, const FramePieces& frame) {
    const forms::Bitmap& picture = skins_[SkinIndex(skin)];
    if (!picture) {
        return;
    }
    const forms::Selection selected(skinDc_.Get(), picture.Get());
    SetStretchBltMode(surface_.Dc(), COLORONCOLOR);
    for (const FramePiece& piece : frame) {
        const RECT to = PixelRect(piece.destination);
        const RECT from = PixelRect(piece.source);
        if (to.right <= to.left || to.bottom <= to.top) {
            continue;  // a control too small for this edge
        }
        StretchBlt(surface_.Dc(), to.left, to.top, to.right - to.left, to.bottom - to.top,
                   skinDc_.Get(), from.left, from.top, from.right - from.left,
                   from.bottom - from.top, SRCCOPY);
    }
}

// A transparent button shows what its container shows behind it.
void Command::PaintHostBackground(HDC dc) const {
    POINT origin{};
    SetViewportOrgEx(dc, -Left(), -Top(), &origin);
    SendMessageW(GetParent(WindowHandle()), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc),
                 PRF_CLIENT);
    SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
}

// The caption label spans the whole width, centred, its top where the last face put it; a
// disabled caption is drawn engraved, as a disabled label is.
void Command::DrawCaption(HDC dc) const {
    if (captionText_.empty() || !captionFont_) {
        return;
    }
    RECT label{0, captionTop_, Width(), captionTop_ + forms::PixelsOf(kCaptionHeight)};
    constexpr UINT kFormat = DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOPREFIX;
    forms::DrawLabelText(dc, captionText_, label, kFormat, captionFont_.Get(),
                         ScreenColour(captionColour_), captionEnabled_);
}

void Command::SetCaption(const std::string& text) {
    captionText_ = Widen(text);
    Refresh();
}

void Command::SetCaptionFont(const forms::FontDescription& font) {
    captionFont_ = forms::MakeScreenFont(font);
    Refresh();
}

void Command::SetCaptionEnabled(bool enabled) {
    captionEnabled_ = enabled;
    Refresh();
}

void Command::SetCaptionColour(uint32_t colour) {
    captionColour_ = colour;
    Refresh();
}

void Command::SetSurfaceOpaque(bool opaque) {
    opaque_ = opaque;
    Refresh();
}

void Command::StartPointerPoll(int intervalMs) {
    pointerPoll_.SetInterval(static_cast<UINT>(intervalMs));
    pointerPoll_.SetEnabled(true);
}

void Command::RaiseClick() {
    if (Click) {
        Click();
    }
}

forms::StoredControl StoredCommand(const std::string& caption, int widthTwips, int heightTwips,
                                   const forms::FontDescription* ownFont) {
    forms::StoredControl stored{"Kessamir.Command", widthTwips, heightTwips, {}};
    stored.properties.WriteProperty<std::string>("Caption", caption, "Command");
    if (ownFont != nullptr) {
        stored.properties.WriteProperty("Font", *ownFont, forms::FontDescription{});
    }
    return stored;
}

void Command::AnnounceChange(std::string_view property) {
    PropertyChanged(property);
}

}  // namespace command
