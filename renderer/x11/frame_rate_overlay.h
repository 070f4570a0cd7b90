#pragma once

#include <X11/Xlib.h>

#include <string>

#include "gl/overlay_text.h"

// The -fps read-out's font: the X server's "fixed", as XScreenSaver's display modes show theirs.
// Needs a current context; without the font it says so once and draws nothing.
class FrameRateOverlay final : public OverlayFont {
  public:
    explicit FrameRateOverlay(Display* display);
    ~FrameRateOverlay() override;
    FrameRateOverlay(const FrameRateOverlay&) = delete;
    FrameRateOverlay& operator=(const FrameRateOverlay&) = delete;

    // Over the viewport the scene was drawn in, width x height pixels.
    void Draw(const std::string& text, int width, int height) const;

    void DrawAtRasterPosition(const std::string& text) const override;
    int Descent() const override;

  private:
    Display* display_;
    XFontStruct* font_ = nullptr;
    unsigned int glyphLists_ = 0;
};
