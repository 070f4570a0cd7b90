#include "gl/overlay_text.h"

#include <GL/gl.h>

#include <cstring>

namespace {

constexpr int kMargin = 10;

// Each glyph's seven rows, top first; '#' is lit.
struct GlyphRows {
    char character;
    const char* rows[7];
};

constexpr GlyphRows kFont[] = {
    {' ', {".....", ".....", ".....", ".....", ".....", ".....", "....."}},
    {'0', {".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."}},
    {'1', {"..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."}},
    {'2', {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"}},
    {'3', {"#####", "...#.", "..#..", "...#.", "....#", "#...#", ".###."}},
    {'4', {"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."}},
    {'5', {"#####", "#....", "####.", "....#", "....#", "#...#", ".###."}},
    {'6', {"..##.", ".#...", "#....", "####.", "#...#", "#...#", ".###."}},
    {'7', {"#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."}},
    {'8', {".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."}},
    {'9', {".###.", "#...#", "#...#", ".####", "....#", "...#.", ".##.."}},
    {'F', {"#####", "#....", "#....", "####.", "#....", "#....", "#...."}},
    {'P', {"####.", "#...#", "#...#", "####.", "#....", "#....", "#...."}},
    {'S', {".####", "#....", "#....", ".###.", "....#", "....#", "####."}},
    {':', {".....", ".##..", ".##..", ".....", ".##..", ".##..", "....."}},
    {'.', {".....", ".....", ".....", ".....", ".....", ".##..", ".##.."}},
    {'-', {".....", ".....", ".....", "#####", ".....", ".....", "....."}},
};
static_assert(sizeof kFont / sizeof kFont[0] == 17, "one bitmap a glyph");

BuiltInFont::Bitmap Enlarged(const GlyphRows& glyph) {
    BuiltInFont::Bitmap bitmap{};
    for (int y = 0; y < BuiltInFont::kHeight; ++y) {
        const char* row = glyph.rows[6 - y / BuiltInFont::kScale];
        for (int x = 0; x < BuiltInFont::kWidth; ++x) {
            if (row[x / BuiltInFont::kScale] == '#') {
                bitmap[y * BuiltInFont::kBytesPerRow + x / 8] |= 0x80 >> (x % 8);
            }
        }
    }
    return bitmap;
}

void DrawAt(const OverlayFont& font, const std::string& text, int x, int y) {
    glRasterPos2i(x, y);
    font.DrawAtRasterPosition(text);
}

}  // namespace

void DrawOverlayText(const OverlayFont& font, const std::string& text, int width, int height) {
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
    const int baseline = kMargin + font.Descent();
    glColor3f(0.0f, 0.0f, 0.0f);
    DrawAt(font, text, kMargin + 1, baseline - 1);
    glColor3f(1.0f, 1.0f, 1.0f);
    DrawAt(font, text, kMargin, baseline);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopAttrib();
}

BuiltInFont::BuiltInFont() {
    for (int i = 0; i < kGlyphs; ++i) {
        bitmaps_[i] = Enlarged(kFont[i]);
    }
}

const BuiltInFont::Bitmap& BuiltInFont::GlyphOf(char character) const {
    for (int i = 0; i < kGlyphs; ++i) {
        if (kFont[i].character == character) {
            return bitmaps_[i];
        }
    }
    return bitmaps_[0];
}

void BuiltInFont::DrawAtRasterPosition(const std::string& text) const {
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    constexpr float kAdvance = kWidth + kScale;
    for (const char character : text) {
        glBitmap(kWidth, kHeight, 0.0f, 0.0f, kAdvance, 0.0f, GlyphOf(character).data());
    }
    glPopClientAttrib();
}
