#include "x11/frame_rate_overlay.h"

#include <GL/gl.h>
#include <GL/glx.h>

#include <cstdio>

namespace {

constexpr int kFirstGlyph = ' ';
constexpr int kGlyphCount = '~' - ' ' + 1;

}  // namespace

FrameRateOverlay::FrameRateOverlay(Display* display) : display_(display) {
    font_ = XLoadQueryFont(display, "fixed");
    if (font_ == nullptr) {
        std::fprintf(stderr, "vorlenta: no font \"fixed\" on the display: no frame rate shown\n");
        return;
    }
    glyphLists_ = glGenLists(kGlyphCount);
    glXUseXFont(font_->fid, kFirstGlyph, kGlyphCount, static_cast<int>(glyphLists_));
}

FrameRateOverlay::~FrameRateOverlay() {
    if (font_ == nullptr) {
        return;
    }
    glDeleteLists(glyphLists_, kGlyphCount);
    XFreeFont(display_, font_);
}

void FrameRateOverlay::Draw(const std::string& text, int width, int height) const {
    if (font_ != nullptr) {
        DrawOverlayText(*this, text, width, height);
    }
}

void FrameRateOverlay::DrawAtRasterPosition(const std::string& text) const {
    glListBase(glyphLists_ - kFirstGlyph);
    glCallLists(static_cast<GLsizei>(text.size()), GL_UNSIGNED_BYTE, text.data());
}

int FrameRateOverlay::Descent() const {
    return font_->descent;
}
