#include "controls/command_face.h"

#include <cmath>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace command {
namespace {

class RecordingShell : public CommandShell {
  public:
    int WidthTwips() const override { return 1155; }
    int HeightTwips() const override { return 375; }
    void PaintFace(Skin skin, const FaceLayout& layout) override {
        faces.push_back(skin);
        lastLayout = layout;
    }
    void SetCaption(const std::string& text) override { caption = text; }
    void SetCaptionFont(const forms::FontDescription& f) override { font = f; }
    void SetCaptionEnabled(bool enabled) override { captionEnabled = enabled; }
    void SetCaptionColour(uint32_t colour) override { captionColour = colour; }
    void SetSurfaceOpaque(bool isOpaque) override { opaque = isOpaque; }
    void StartPointerPoll(int intervalMs) override { pollMs = intervalMs; }
    void RaiseClick() override { ++clicks; }
    void AnnounceChange(std::string_view property) override { announced.emplace_back(property); }

    std::vector<Skin> faces;
    FaceLayout lastLayout{};
    std::string caption;
    forms::FontDescription font;
    bool captionEnabled = false;
    uint32_t captionColour = 0x123456;
    bool opaque = true;
    int pollMs = 0;
    int clicks = 0;
    std::vector<std::string> announced;
};

// A button restored as the dialog restores its instances: enabled, first run done.
struct RestoredButton {
    RestoredButton() {
        face.RestoreEnabled(true);
        face.RestoreFirstRun(1);
    }
    RecordingShell shell;
    CommandFace face{shell};
};

// Words of a script: init, move, over, out (poll over the control / elsewhere), focus, blur,
// downN and upN for mouse button N.
void Play(CommandFace& face, const std::string& script) {
    std::istringstream words(script);
    for (std::string word; words >> word;) {
        if (word == "init")
            face.Initialize();
        if (word == "move")
            face.OnPointerMove();
        if (word == "over")
            face.OnPointerPoll(PointerPlace::OverControl);
        if (word == "out")
            face.OnPointerPoll(PointerPlace::Elsewhere);
        if (word == "form")
            face.OnPointerPoll(PointerPlace::OverHostForm);
        if (word == "focus")
            face.OnFocusGained();
        if (word == "blur")
            face.OnFocusLost();
        if (word.rfind("down", 0) == 0)
            face.OnMouseDown(std::stoi(word.substr(4)));
        if (word.rfind("up", 0) == 0)
            face.OnMouseUp(std::stoi(word.substr(2)));
    }
}

struct Scenario {
    const char* script;
    uint8_t state;
    std::optional<Skin> lastFace;  // none: nothing painted
    int clicks;
};

TEST(CommandFace, StateFollowsPointerFocusAndButtons) {
    const Scenario scenarios[] = {
        {"init move", 2, Skin::HighLight, 0},
        {"init move over", 2, Skin::HighLight, 0},
        {"init move out", 1, Skin::Normal, 0},
        {"init move form", 1, Skin::Normal, 0},
        // A left press on a hovered button takes the focus, then presses; the release clicks.
        {"init move focus down1 up1", 4, Skin::HighLightSelect, 1},
        // Right and middle buttons: the press changes nothing, the release clicks.
        {"init move down2", 2, Skin::HighLight, 0},
        {"init move up2", 2, Skin::HighLight, 1},
        {"init move up4", 2, Skin::HighLight, 1},
        // Leaving while held and released after the poll noticed: no click.
        {"init move focus down1 out up1", 3, Skin::Selected, 0},
        // Coming back while held stays in state 3.
        {"init move focus down1 out move up1", 3, Skin::Selected, 0},
        // Keyboard focus while hovered shows the pressed face.
        {"init move focus", 4, Skin::Pressed, 0},
        {"init focus move", 4, Skin::HighLightSelect, 0},
        {"init focus move out", 3, Skin::Selected, 0},
        {"init focus blur", 1, Skin::Normal, 0},
        {"init move focus blur", 1, Skin::Normal, 0},
        // Before Initialize nothing hovers, but the focus still selects.
        {"move", 0, std::nullopt, 0},
        {"focus", 3, Skin::Selected, 0},
    };
    for (const Scenario& s : scenarios) {
        RestoredButton b;
        Play(b.face, s.script);
        EXPECT_EQ(b.face.State(), s.state) << s.script;
        const std::optional<Skin> lastFace =
            b.shell.faces.empty() ? std::nullopt : std::optional<Skin>(b.shell.faces.back());
        EXPECT_EQ(lastFace, s.lastFace) << s.script;
        EXPECT_EQ(b.shell.clicks, s.clicks) << s.script;
    }
}

TEST(CommandFace, InitializeStartsTheHundredMillisecondPoll) {
    RestoredButton b;
    EXPECT_EQ(b.shell.pollMs, 0);
    b.face.Initialize();
    EXPECT_EQ(b.shell.pollMs, 100);
}

TEST(CommandFace, ADisabledButtonIgnoresPointerFocusAndButtons) {
    RestoredButton b;
    b.face.Initialize();
    b.face.WriteEnabled(false);
    b.shell.faces.clear();
    Play(b.face, "move focus down1 up1 up2 out blur");
    EXPECT_TRUE(b.shell.faces.empty());
    EXPECT_EQ(b.shell.clicks, 0);
    EXPECT_EQ(b.face.State(), kFaceNormal);
}

TEST(CommandFace, HoverFlipsTheGradientAndTheFocusedHoverKeepsIt) {
    RestoredButton b;
    const GradientColours plain = ComputeGradientColours(false);
    EXPECT_EQ(plain.top.red, 0xFF00);
    EXPECT_EQ(plain.bottom.red, 0xC600);
    EXPECT_EQ(plain.bottom.green, 0xC500);
    EXPECT_EQ(plain.bottom.blue, 0xD700);

    Play(b.face, "init move");
    EXPECT_EQ(b.shell.lastLayout.gradient.top.blue, 0xD700);
    Play(b.face, "focus");  // state 4 keeps the hovered gradient
    EXPECT_EQ(b.shell.lastLayout.gradient.top.blue, 0xD700);
    Play(b.face, "out");  // state 3
    EXPECT_EQ(b.shell.lastLayout.gradient.top.blue, 0xFF00);
}

TEST(CommandFace, ReadingEnabledRepaintsWithoutChangingTheState) {
    RestoredButton b;
    Play(b.face, "init move");
    EXPECT_TRUE(b.face.ReadEnabled());
    EXPECT_EQ(b.shell.faces.back(), Skin::Normal);
    EXPECT_EQ(b.face.State(), kFaceHighLight);

    b.face.WriteEnabled(false);
    EXPECT_FALSE(b.face.ReadEnabled());
    EXPECT_EQ(b.shell.faces.back(), Skin::Disable);
    EXPECT_FALSE(b.shell.captionEnabled);
    EXPECT_EQ(b.shell.announced, std::vector<std::string>{"Enabled"});
}

TEST(CommandFace, TheFirstReadOfEnabledInAFreshInstanceEnablesItWithABlackCaption) {
    RecordingShell shell;
    CommandFace face(shell);
    EXPECT_TRUE(face.ReadEnabled());
    EXPECT_EQ(face.FirstRun(), 1);
    EXPECT_EQ(shell.faces.back(), Skin::Normal);

    // Already enabled but never restored: the caption colour goes back to black.
    RecordingShell restoredShell;
    CommandFace restored(restoredShell);
    restored.RestoreEnabled(true);
    restored.ReadEnabled();
    EXPECT_EQ(restoredShell.captionColour, 0u);
}

TEST(CommandFace, VisibleReadsZeroWhenTransparentAnd255Otherwise) {
    RestoredButton b;
    b.face.WriteVisible(0);
    EXPECT_FALSE(b.shell.opaque);
    EXPECT_EQ(b.face.ReadVisible(), 0);
    b.face.WriteVisible(7);
    EXPECT_TRUE(b.shell.opaque);
    EXPECT_EQ(b.face.ReadVisible(), 255);
    EXPECT_EQ(b.shell.announced, (std::vector<std::string>{"Visible", "Visible"}));
}

TEST(CommandFace, ARefusedFontColourKeepsTheCaptionColourAndIsNotAnnounced) {
    RestoredButton b;
    b.face.WriteFontColour(0x0000FF);
    b.face.WriteFontColour(0x7F000000);
    EXPECT_EQ(b.face.ReadFontColour(), 0x0000FFu);
    EXPECT_EQ(b.shell.announced, std::vector<std::string>{"FontColour"});
    EXPECT_TRUE(IsLabelColour(0x80000012));
    EXPECT_FALSE(IsLabelColour(0x80000100));
}

const forms::FontDescription kAmbientFont{"ＭＳ Ｐゴシック", 9.75, 128, 400, false};

TEST(CommandFace, StoredPropertiesAtTheirDefaultsAreNotWrittenAndReadBackAsDefaults) {
    RecordingShell shell;
    CommandFace face(shell);
    face.ReadProperties(forms::PropertyBag{}, kAmbientFont);
    EXPECT_TRUE(face.Enabled());
    EXPECT_EQ(face.FirstRun(), 1);
    EXPECT_EQ(shell.caption, "Command");
    EXPECT_EQ(shell.font, kAmbientFont);
    EXPECT_EQ(shell.faces.back(), Skin::Normal);  // ApplyLook ends the reading

    forms::PropertyBag saved;
    face.WriteProperties(saved, kAmbientFont);
    for (const char* name : {"Enabled", "Caption", "FirstRun", "Font", "FontColour", "Visible"}) {
        EXPECT_FALSE(saved.Contains(name)) << name;
    }
}

TEST(CommandFace, StoredPropertiesComeBackInAnotherInstance) {
    RestoredButton b;
    forms::FontDescription bold = kAmbientFont;
    bold.weight = 700;
    b.face.WriteCaption("ｷｬﾝｾﾙ");
    b.face.WriteFont(bold);
    b.face.WriteFontColour(0x00336699);
    b.face.WriteVisible(0);
    b.face.WriteEnabled(false);
    EXPECT_EQ(b.shell.announced,
              (std::vector<std::string>{"Caption", "Font", "FontColour", "Visible", "Enabled"}));
    forms::PropertyBag saved;
    b.face.WriteProperties(saved, kAmbientFont);

    RecordingShell shell;
    CommandFace copy(shell);
    copy.ReadProperties(saved, kAmbientFont);
    EXPECT_EQ(shell.caption, "ｷｬﾝｾﾙ");
    EXPECT_EQ(shell.font, bold);
    EXPECT_EQ(copy.FontColour(), 0x00336699u);
    EXPECT_FALSE(shell.opaque);
    EXPECT_FALSE(copy.Enabled());
}

// A piece in pixels, as the button's window draws it: at 15 twips a pixel, the nearest one.
struct PixelRect {
    int left, top, right, bottom;
};

PixelRect InPixels(const TwipRect& twips) {
    const auto pixels = [](int value) { return static_cast<int>(std::lround(value / 15.0)); };
    return {pixels(twips.left), pixels(twips.top), pixels(twips.left) + pixels(twips.width),
            pixels(twips.top) + pixels(twips.height)};
}

struct ControlSize {
    int widthTwips, heightTwips, width, height;  // and in pixels
};
constexpr ControlSize kDialogSizes[] = {{1155, 375, 77, 25}, {615, 315, 41, 21}};

// The frame is the outer four pixels of the control, each painted once; the middle is left to
// the gradient.
TEST(CommandFace, TheFramePiecesCoverTheFourPixelRingOnceAndNothingInside) {
    for (const ControlSize& size : kDialogSizes) {
        std::vector<int> painted(static_cast<size_t>(size.width * size.height), 0);
        for (const FramePiece& piece : ComputeFramePieces(size.widthTwips, size.heightTwips)) {
            const PixelRect to = InPixels(piece.destination);
            for (int y = to.top; y < to.bottom; ++y) {
                for (int x = to.left; x < to.right; ++x) {
                    ++painted[static_cast<size_t>(y * size.width + x)];
                }
            }
        }
        for (int y = 0; y < size.height; ++y) {
            for (int x = 0; x < size.width; ++x) {
                const bool ring = x < 4 || y < 4 || x >= size.width - 4 || y >= size.height - 4;
                EXPECT_EQ(painted[static_cast<size_t>(y * size.width + x)], ring ? 1 : 0)
                    << size.width << " x " << size.height << " at " << x << "," << y;
            }
        }
    }
}

// Each piece comes from the same side of the 64 x 25 skin as the side of the control it is
// drawn on: corners whole, edges from the strip between the skin's corners.
TEST(CommandFace, EachPieceComesFromTheSameSideOfTheSkin) {
    constexpr int kSkinWidth = 64;
    constexpr int kSkinHeight = 25;
    for (const ControlSize& size : kDialogSizes) {
        for (const FramePiece& piece : ComputeFramePieces(size.widthTwips, size.heightTwips)) {
            const PixelRect to = InPixels(piece.destination);
            const PixelRect from = InPixels(piece.source);
            EXPECT_EQ(to.left == 0, from.left == 0);
            EXPECT_EQ(to.top == 0, from.top == 0);
            EXPECT_EQ(to.right == size.width, from.right == kSkinWidth);
            EXPECT_EQ(to.bottom == size.height, from.bottom == kSkinHeight);
            const bool horizontalEdge = to.right - to.left > 4;
            const bool verticalEdge = to.bottom - to.top > 4;
            EXPECT_EQ(from.right - from.left, horizontalEdge ? kSkinWidth - 8 : 4);
            EXPECT_EQ(from.bottom - from.top, verticalEdge ? kSkinHeight - 8 : 4);
        }
    }
}

}  // namespace
}  // namespace command
