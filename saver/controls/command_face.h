#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "forms/font_description.h"
#include "forms/mouse.h"
#include "forms/property_bag.h"

// The face of the skinned push button `Command`: which skin picture shows in which state, how
// the state follows the pointer, the focus and the mouse buttons, and the geometry and colours
// of a painted face. Plain C++; the window that shows the face implements CommandShell.

namespace command {

// The six skin pictures; HighLight and HighLightSelect hold the same picture.
enum class Skin { Normal, HighLight, Selected, HighLightSelect, Pressed, Disable };

// FaceState values: 0 before Initialize, then 1 Normal, 2 hovered, 3 focused, 4 both.
enum : uint8_t {
    kFaceUninitialised = 0,
    kFaceNormal = 1,
    kFaceHighLight = 2,
    kFaceSelected = 3,
    kFaceHighLightSelect = 4,
};

using forms::kLeftButton;
constexpr int kPointerPollMs = 100;
// A caption colour with this bit is the system colour whose index is in its low byte.
constexpr uint32_t kSystemColourFlag = 0x80000000u;
// The caption label's height in twips; the control never changes it.
constexpr int kCaptionHeight = 195;

struct TwipRect {
    int left, top, width, height;
};

// One of the eight pieces of the 4-pixel frame: a part of the skin picture scaled into a part
// of the control, both in twips.
struct FramePiece {
    TwipRect destination;
    TwipRect source;
};
using FramePieces = std::array<FramePiece, 8>;

// The eight pieces, in drawing order, for a control of W x H twips.
FramePieces ComputeFramePieces(int width, int height);

// A TRIVERTEX colour: 16 bits a channel, the 8-bit value in the high byte.
struct VertexColour {
    uint16_t red, green, blue;
};

// A colour held as text ("&HFFFFFF"), read left to right as red, green and blue.
VertexColour VertexColourFromText(std::string_view text);

// The gradient's top and bottom colours: white over lavender grey, swapped when flipped.
struct GradientColours {
    VertexColour top, bottom;
};
GradientColours ComputeGradientColours(bool flipped);

// Everything the shell needs to paint one face.
struct FaceLayout {
    FramePieces frame;
    GradientColours gradient;
    double captionTop;  // twips; the caption spans the control's whole width
};

// A label takes a plain RGB colour or a system colour index; anything else is refused.
bool IsLabelColour(uint32_t colour);

// What the button's logic asks of the window that shows it.
class CommandShell {
  public:
    virtual ~CommandShell() = default;
    virtual int WidthTwips() const = 0;
    virtual int HeightTwips() const = 0;
    virtual void PaintFace(Skin skin, const FaceLayout& layout) = 0;
    virtual void SetCaption(const std::string& text) = 0;
    virtual void SetCaptionFont(const forms::FontDescription& font) = 0;
    virtual void SetCaptionEnabled(bool enabled) = 0;
    virtual void SetCaptionColour(uint32_t colour) = 0;
    virtual void SetSurfaceOpaque(bool opaque) = 0;
    virtual void StartPointerPoll(int intervalMs) = 0;
    virtual void RaiseClick() = 0;
    // Tells the host which stored property changed, so that it saves it.
    virtual void AnnounceChange(std::string_view property) = 0;
};

// Where the pointer poll found the pointer.
enum class PointerPlace { OverControl, OverHostForm, Elsewhere };

// The button's state and its reactions. Every reaction does nothing while the button is
// disabled; the tests inside one reaction run in order, each on the state the last one left.
class CommandFace {
  public:
    explicit CommandFace(CommandShell& shell) : shell_(shell) {}

    void Initialize();

    void OnPointerMove();
    void OnPointerPoll(PointerPlace place);
    void OnFocusGained();
    void OnFocusLost();
    void OnMouseDown(int button);
    void OnMouseUp(int button);
    void OnResize() { ShowEnabled(); }

    // The property operations, with their repaints and change announcements.
    bool ReadEnabled();
    void WriteEnabled(bool enabled);
    uint8_t ReadVisible();
    void WriteVisible(uint8_t visible);
    uint32_t ReadFontColour();
    void WriteFontColour(uint32_t colour);
    const std::string& Caption() const { return caption_; }
    void WriteCaption(const std::string& caption);
    const forms::FontDescription& Font() const { return font_; }
    void WriteFont(const forms::FontDescription& font);

    // The stored properties in their reading and writing orders; a font equal to the host's
    // ambient font is not stored, so such an instance follows the host.
    void ReadProperties(const forms::PropertyBag& bag, const forms::FontDescription& ambientFont);
    void WriteProperties(forms::PropertyBag& bag, const forms::FontDescription& ambientFont);

    // The values behind the stored properties, as the host restores and saves them.
    void RestoreEnabled(bool enabled) { EnabledFlag = enabled ? -1 : 0; }
    void RestoreFirstRun(uint8_t firstRun) { FirstRunFlag = firstRun; }
    void RestoreFontColour(uint32_t colour);
    void RestoreVisible(int16_t visible);
    void ApplyLook();

    bool Enabled() const { return EnabledFlag != 0; }
    uint8_t FirstRun() const { return FirstRunFlag; }
    uint32_t FontColour() const { return fontColour_; }
    int16_t BackgroundMode() const { return opaque_ ? 1 : 0; }
    uint8_t State() const { return FaceState; }

  private:
    void DrawFace(Skin skin);
    void MouseOut();
    void ShowEnabled();
    void SetCaptionColour(uint32_t colour);
    void SetCaption(const std::string& caption);
    void SetFont(const forms::FontDescription& font);

    CommandShell& shell_;
    bool GradientFlip = false;
    uint8_t FirstRunFlag = 0;
    int16_t EnabledFlag = 0;
    uint8_t FaceState = kFaceUninitialised;
    bool MouseDownFlag = false;
    uint32_t fontColour_ = 0;
    bool opaque_ = true;  // the surface's own default until a stored "Visible" says otherwise
    std::string caption_ = "Command";
    forms::FontDescription font_ = forms::kDefaultAmbientFont;
};

}  // namespace command
