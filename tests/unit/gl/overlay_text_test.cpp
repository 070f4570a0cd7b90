#include "gl/overlay_text.h"

#include <gtest/gtest.h>

namespace {

// Two bytes a row, bottom row first, each pixel doubled.
std::array<std::uint8_t, 2> Row(const BuiltInFont::Bitmap& glyph, int fromBottom) {
    return {glyph[fromBottom * 2], glyph[fromBottom * 2 + 1]};
}

TEST(BuiltInFont, GlyphsStandUprightAtTwiceTheirSizeAndUnknownCharactersAreBlank) {
    const BuiltInFont font;
    const BuiltInFont::Bitmap& f = font.GlyphOf('F');
    using RowBytes = std::array<std::uint8_t, 2>;
    for (const int row : {0, 1}) {  // the stem alone at the foot
        EXPECT_EQ(Row(f, row), (RowBytes{0xC0, 0x00}));
    }
    for (const int row : {12, 13}) {  // the whole bar at the top
        EXPECT_EQ(Row(f, row), (RowBytes{0xFF, 0xC0}));
    }
    EXPECT_EQ(font.GlyphOf('x'), font.GlyphOf(' '));
    EXPECT_NE(font.GlyphOf('8'), font.GlyphOf(' '));
}

}  // namespace
