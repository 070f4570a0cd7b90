#pragma once

#include <X11/Xlib.h>

#include <string>

// The -fps read-out: a line of text in the bottom left corner of the scene, drawn over the frame
// in the X server's "fixed" font, as XScreenSaver's display modes show theirs. Needs a current
// context; without the font it says so once and draws nothing.
class FrameRateOverlay {
  public:
    explicit FrameRateOverlay(Display* display);
    ~FrameRateOverlay();
    FrameRateOverlay(const FrameRateOverlay&) = delete;
    FrameRateOverlay& operator=(const FrameRateOverlay&) = delete;

    // Over the viewport the scene was drawn in, width x height pixels.
    void Draw(const std::string& text, int width, int height) const;

  private:
    Display* display_;
    XFontStruct* font_ = nullptr;
    unsigned int glyphLists_ = 0;
};
