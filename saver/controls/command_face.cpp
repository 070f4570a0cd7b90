#include "controls/command_face.h"

#include <string>

namespace command {
namespace {

// The skin pictures are 960 x 375 twips; only a 60-twip frame of them is ever drawn, and the
// top row and left column of the control are inset by one twip.
constexpr int kCorner = 60;
constexpr int kInset = 1;
constexpr int kSkinWidth = 960;
constexpr int kSkinHeight = 375;
constexpr int kSkinEdgeWidth = kSkinWidth - 2 * kCorner;    // 840
constexpr int kSkinEdgeHeight = kSkinHeight - 2 * kCorner;  // 255
constexpr int kSkinRight = kSkinEdgeWidth + kCorner;        // 900
constexpr int kSkinBottom = kCorner + kSkinEdgeHeight;      // 315

constexpr char kDefaultCaption[] = "Command";

constexpr std::string_view kGradientLight = "&HFFFFFF";
constexpr std::string_view kGradientShade = "&HC6C5D7";

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

// "&H" and hexadecimal digits, read as far as they go.
uint32_t ReadHexText(std::string_view text) {
    uint32_t value = 0;
    for (char c : text.substr(text.rfind('H') + 1)) {
        const int digit = HexDigit(c);
        if (digit < 0) {
            break;
        }
        value = value * 16 + static_cast<uint32_t>(digit);
    }
    return value;
}

std::string HexDigits(uint32_t value) {
    std::string digits;
    do {
        digits.insert(digits.begin(), "0123456789ABCDEF"[value % 16]);
        value /= 16;
    } while (value != 0);
    return digits;
}

// A pair of digits followed by "00": the 8-bit channel in the high byte of 16 bits.
uint16_t Channel(const std::string& digits, size_t first) {
    return static_cast<uint16_t>(ReadHexText("&H" + digits.substr(first, 2) + "00"));
}

}  // namespace

FramePieces ComputeFramePieces(int w, int h) {
    const int right = w - kCorner;
    const int bottom = h - kCorner;
    const int edgeWidth = w - 2 * kCorner;
    const int edgeHeight = h - 2 * kCorner;
    return {{
        {{kInset, kInset, kCorner, kCorner}, {0, 0, kCorner, kCorner}},
        {{kCorner, kInset, edgeWidth, kCorner}, {kCorner, kInset, kSkinEdgeWidth, kCorner}},
        {{right, kInset, kCorner, kCorner}, {kSkinRight, kInset, kCorner, kCorner}},
        {{right, kCorner, kCorner, edgeHeight}, {kSkinRight, kCorner, kCorner, kSkinEdgeHeight}},
        {{right, bottom, kCorner, kCorner}, {kSkinRight, kSkinBottom, kCorner, kCorner}},
        {{kCorner, bottom, edgeWidth, kCorner}, {kCorner, kSkinBottom, kSkinEdgeWidth, kCorner}},
        {{kInset, bottom, kCorner, kCorner}, {0, kSkinBottom, kCorner, kCorner}},
        {{kInset, kCorner, kCorner, edgeHeight}, {kInset, kCorner, kCorner, kSkinEdgeHeight}},
    }};
}

VertexColour VertexColourFromText(std::string_view text) {
    const std::string digits = HexDigits(ReadHexText(text));
    return {Channel(digits, 0), Channel(digits, 2), Channel(digits, 4)};
}

GradientColours ComputeGradientColours(bool flipped) {
    const VertexColour light = VertexColourFromText(kGradientLight);
    const VertexColour shade = VertexColourFromText(kGradientShade);
    return flipped ? GradientColours{shade, light} : GradientColours{light, shade};
}

bool IsLabelColour(uint32_t colour) {
    constexpr uint32_t kLastSystemColourIndex = 0x18;
    if ((colour & 0xFF000000u) == 0) {
        return true;
    }
    return (colour & 0xFFFFFF00u) == kSystemColourFlag &&
           (colour & 0xFFu) <= kLastSystemColourIndex;
}

void CommandFace::Initialize() {
    FaceState = kFaceNormal;
    shell_.StartPointerPoll(kPointerPollMs);
}

void CommandFace::OnPointerMove() {
    if (EnabledFlag == 0) {
        return;
    }
    if (FaceState == kFaceNormal) {
        FaceState = kFaceHighLight;
        DrawFace(Skin::HighLight);
    }
    if (FaceState == kFaceSelected && !MouseDownFlag) {
        FaceState = kFaceHighLightSelect;
        DrawFace(Skin::HighLightSelect);
    }
}

// Over the host form or anywhere else alike, the pointer counts as gone on every tick it is
// not over the control's own window (the windowless caption is part of that window).
void CommandFace::OnPointerPoll(PointerPlace place) {
    if (place != PointerPlace::OverControl) {
        MouseOut();
    }
}

void CommandFace::OnFocusGained() {
    if (EnabledFlag == 0) {
        return;
    }
    if (FaceState != kFaceHighLight) {
        FaceState = kFaceSelected;
        DrawFace(Skin::Selected);
    }
    if (FaceState == kFaceHighLight) {
        FaceState = kFaceHighLightSelect;
        DrawFace(Skin::Pressed);
    }
}

void CommandFace::OnFocusLost() {
    if (EnabledFlag == 0) {
        return;
    }
    if (FaceState != kFaceNormal) {
        FaceState = kFaceNormal;
        DrawFace(Skin::Normal);
    }
}

void CommandFace::MouseOut() {
    if (EnabledFlag == 0) {
        return;
    }
    if (FaceState == kFaceHighLight) {
        FaceState = kFaceNormal;
        DrawFace(Skin::Normal);
    }
    if (FaceState == kFaceHighLightSelect) {
        FaceState = kFaceSelected;
        DrawFace(Skin::Selected);
    }
}

void CommandFace::OnMouseDown(int button) {
    if (EnabledFlag == 0 || button != kLeftButton) {
        return;
    }
    DrawFace(Skin::Pressed);
    MouseDownFlag = true;
}

// Any button's release over the control clicks it, unless the pointer left while the left
// button was held and the poll saw it go (state 3).
void CommandFace::OnMouseUp(int button) {
    if (EnabledFlag == 0) {
        return;
    }
    if (button == kLeftButton) {
        if (FaceState == kFaceHighLight) {
            DrawFace(Skin::Normal);
        } else if (FaceState == kFaceHighLightSelect) {
            DrawFace(Skin::HighLightSelect);
        }
        MouseDownFlag = false;
    }
    if (FaceState != kFaceSelected && EnabledFlag == -1) {
        shell_.RaiseClick();
    }
}

void CommandFace::DrawFace(Skin skin) {
    if (FaceState == kFaceNormal || FaceState == kFaceSelected) {
        GradientFlip = false;
    } else if (FaceState == kFaceHighLight) {
        GradientFlip = true;
    }
    const int h = shell_.HeightTwips();
    const FaceLayout layout{ComputeFramePieces(shell_.WidthTwips(), h),
                            ComputeGradientColours(GradientFlip), (h - kCaptionHeight - 20) / 2.0};
    shell_.PaintFace(skin, layout);
}

void CommandFace::ShowEnabled() {
    if (EnabledFlag != 0) {
        DrawFace(Skin::Normal);
        shell_.SetCaptionEnabled(true);
    } else {
        DrawFace(Skin::Disable);
        shell_.SetCaptionEnabled(false);
    }
}

void CommandFace::ApplyLook() {
    if (EnabledFlag == 0) {
        return;
    }
    shell_.SetCaptionEnabled(true);
    if (FirstRunFlag == 0) {
        SetCaptionColour(0);
    }
    DrawFace(Skin::Normal);
}

bool CommandFace::ReadEnabled() {
    if (FirstRunFlag == 0) {
        ApplyLook();
        FirstRunFlag = 1;
        EnabledFlag = -1;
    }
    const bool enabled = EnabledFlag != 0;
    ShowEnabled();
    return enabled;
}

void CommandFace::WriteEnabled(bool enabled) {
    EnabledFlag = enabled ? -1 : 0;
    shell_.AnnounceChange("Enabled");
    ShowEnabled();
}

uint8_t CommandFace::ReadVisible() {
    if (!opaque_) {
        return 0;
    }
    ApplyLook();
    return 255;
}

void CommandFace::WriteVisible(uint8_t visible) {
    opaque_ = visible != 0;
    shell_.SetSurfaceOpaque(opaque_);
    if (opaque_) {
        ApplyLook();
    }
    shell_.AnnounceChange("Visible");
}

uint32_t CommandFace::ReadFontColour() {
    const uint32_t colour = fontColour_;
    ApplyLook();
    return colour;
}

// A colour the label refuses leaves its colour as it was and is not announced.
void CommandFace::WriteFontColour(uint32_t colour) {
    if (!IsLabelColour(colour)) {
        ApplyLook();
        return;
    }
    SetCaptionColour(colour);
    ApplyLook();
    shell_.AnnounceChange("FontColour");
}

// A stored colour the label refuses is not applied: the caption keeps its colour.
void CommandFace::RestoreFontColour(uint32_t colour) {
    if (IsLabelColour(colour)) {
        SetCaptionColour(colour);
    }
}

void CommandFace::RestoreVisible(int16_t visible) {
    opaque_ = visible != 0;
    shell_.SetSurfaceOpaque(opaque_);
}

void CommandFace::WriteCaption(const std::string& caption) {
    SetCaption(caption);
    shell_.AnnounceChange("Caption");
}

void CommandFace::WriteFont(const forms::FontDescription& font) {
    SetFont(font);
    shell_.AnnounceChange("Font");
}

void CommandFace::ReadProperties(const forms::PropertyBag& bag,
                                 const forms::FontDescription& ambientFont) {
    RestoreEnabled(bag.ReadProperty<bool>("Enabled", true));
    SetCaption(bag.ReadProperty<std::string>("Caption", kDefaultCaption));
    SetFont(bag.ReadProperty("Font", ambientFont));
    RestoreFirstRun(bag.ReadProperty<uint8_t>("FirstRun", 1));
    RestoreFontColour(bag.ReadProperty<uint32_t>("FontColour", 0));
    RestoreVisible(bag.ReadProperty<int16_t>("Visible", 1));
    ApplyLook();
}

void CommandFace::WriteProperties(forms::PropertyBag& bag,
                                  const forms::FontDescription& ambientFont) {
    bag.WriteProperty<bool>("Enabled", EnabledFlag != 0, true);
    bag.WriteProperty<std::string>("Caption", caption_, kDefaultCaption);
    bag.WriteProperty<uint8_t>("FirstRun", FirstRunFlag, 1);
    bag.WriteProperty("Font", font_, ambientFont);
    bag.WriteProperty<uint32_t>("FontColour", fontColour_, 0);
    bag.WriteProperty<int16_t>("Visible", BackgroundMode(), 1);
    ApplyLook();
}

void CommandFace::SetCaption(const std::string& caption) {
    caption_ = caption;
    shell_.SetCaption(caption);
}

void CommandFace::SetFont(const forms::FontDescription& font) {
    font_ = font;
    shell_.SetCaptionFont(font);
}

void CommandFace::SetCaptionColour(uint32_t colour) {
    fontColour_ = colour;
    shell_.SetCaptionColour(colour);
}

}  // namespace command
