#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <string>

#include "controls/command_face.h"
#include "forms/gdi.h"
#include "forms/surface.h"
#include "forms/timer.h"
#include "forms/user_control.h"

namespace command {

// The skinned push button as a window of its own on a host form. The face is painted into a
// retained surface only when the state, the size or a property operation asks for it; the
// caption is drawn over it, windowless, so the pointer over the caption is over the button.
// There is no keyboard activation: only a mouse button's release raises Click.
class Command : public forms::UserControl, private CommandShell {
  public:
    Command(forms::Form& form, forms::Container& parent, RECT bounds);

    // Raised when a mouse button is released over the button.
    std::function<void()> Click;

    void Initialize() { face_.Initialize(); }
    uint8_t Visible() { return face_.ReadVisible(); }
    void Visible(uint8_t visible) { face_.WriteVisible(visible); }
    uint32_t FontColour() { return face_.ReadFontColour(); }
    void FontColour(uint32_t colour) { face_.WriteFontColour(colour); }
    bool Enabled() { return face_.ReadEnabled(); }
    void Enabled(bool enabled) { face_.WriteEnabled(enabled); }
    const std::string& Caption() const { return face_.Caption(); }
    void Caption(const std::string& caption) { face_.WriteCaption(caption); }
    const forms::FontDescription& Font() const { return face_.Font(); }
    void Font(const forms::FontDescription& font) { face_.WriteFont(font); }

    const char* ClassName() const override { return "Kessamir.Command"; }

  protected:
    bool TakesFocus() const override { return true; }
    void Paint(HDC dc) override;
    void Resized() override;
    void MouseDown(const forms::MouseEvent& event) override;
    void MouseMove(const forms::MouseEvent& event) override;
    void MouseUp(const forms::MouseEvent& event) override;
    void GotFocus() override { face_.OnFocusGained(); }
    void LostFocus() override { face_.OnFocusLost(); }
    void ReadProperties(const forms::PropertyBag& bag) override;
    void WriteProperties(forms::PropertyBag& bag) override;

  private:
    // CommandShell
    int WidthTwips() const override;
    int HeightTwips() const override;
    void PaintFace(Skin skin, const FaceLayout& layout) override;
    void SetCaption(const std::string& text) override;
    void SetCaptionFont(const forms::FontDescription& font) override;
    void SetCaptionEnabled(bool enabled) override;
    void SetCaptionColour(uint32_t colour) override;
    void SetSurfaceOpaque(bool opaque) override;
    void StartPointerPoll(int intervalMs) override;
    void RaiseClick() override;
    void AnnounceChange(std::string_view property) override;

    void DrawGradient(const GradientColours& colours);
    void DrawFrame(Skin skin, const FramePieces& frame);
    void PaintHostBackground(HDC dc) const;
    void DrawCaption(HDC dc) const;
    void PollPointer();

    CommandFace face_{*this};
    forms::Surface surface_;
    forms::Timer pointerPoll_;
    std::array<forms::Bitmap, 5> skins_;
    forms::MemoryDc skinDc_;
    forms::FontHandle captionFont_;
    std::wstring captionText_;
    COLORREF captionColour_ = 0;
    bool captionEnabled_ = true;
    bool opaque_ = true;
    int captionTop_ = 0;  // pixels
};

// What a host form stores for a button of a size whose caption, and perhaps its font, differ
// from the design's. A font given is stored even when it equals the host's, so the button
// keeps it on any host.
forms::StoredControl StoredCommand(const std::string& caption, int widthTwips, int heightTwips,
                                   const forms::FontDescription* ownFont = nullptr);

}  // namespace command
