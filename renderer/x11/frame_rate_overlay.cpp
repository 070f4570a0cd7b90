#include "x11/frame_rate_overlay.h"

#include <GL/gl.h>
#include <GL/glx.h>

#include <cstdio>

namespace {

constexpr int kFirstGlyph = ' ';
constexpr int kGlyphCount = '~' - ' ' + 1;
constexpr int kMargin = 10;

void DrawTextAt(unsigned int glyphLists, const std::string& text, int x, int y) {
    glRasterPos2i(x, y);
    glListBase(glyphLists - kFirstGlyph);
    glCallLists(static_cast<GLsizei>(text.size()), GL_UNSIGNED_BYTE, text.data());
}

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

// The scene's lighting, material, texture and depth test would colour and hide the glyphs, and
// its colour would change the material: all are set aside while the text is drawn, with the
// scene's matrices.
void FrameRateOverlay::Draw(const std::string& text, int width, int height) const {
    if (font_ == nullptr) {
        return;
    }
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_LIST_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_COLOR_MATERIAL);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, width, 0, height, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    const int baseline = kMargin + font_->descent;
    glColor3f(0.0f, 0.0f, 0.0f);  // a shadow, to read it over the bright desktop
    DrawTextAt(glyphLists_, text, kMargin + 1, baseline - 1);
    glColor3f(1.0f, 1.0f, 1.0f);
    DrawTextAt(glyphLists_, text, kMargin, baseline);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopAttrib();
}
