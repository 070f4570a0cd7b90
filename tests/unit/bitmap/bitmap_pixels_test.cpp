// How the reader widens channels of masked pixels and what run-length commands leave behind.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "bitmap/bitmap_reader.h"
#include "bmp_builder.h"

namespace {

using bmp_test::BmpSpec;

BitmapDecodeResult Decode(const BmpSpec& spec) {
    return bmp_test::Decode(bmp_test::BuildBmp(spec));
}

// One pixel per stored value, in a single row.
BmpSpec MaskedRow(std::uint16_t bitCount, std::vector<std::uint32_t> masks,
                  const std::vector<std::uint32_t>& values) {
    BmpSpec spec;
    spec.width = static_cast<std::int32_t>(values.size());
    spec.bitCount = bitCount;
    spec.compression = masks.empty() ? bmp_test::kRgb : bmp_test::kBitFields;
    spec.masks = std::move(masks);
    spec.pixels = bmp_test::PackRows(spec.width, 1, bitCount,
                                     [&](int x, int) { return values[static_cast<size_t>(x)]; });
    return spec;
}

void ExpectRow(const BmpSpec& spec, const std::vector<std::uint32_t>& colours) {
    const BitmapDecodeResult result = Decode(spec);
    ASSERT_TRUE(result.image.has_value()) << static_cast<int>(result.failure);
    EXPECT_TRUE(bmp_test::HasPixels(*result.image, static_cast<int>(colours.size()), 1,
                                    [&](int x, int) { return colours[static_cast<size_t>(x)]; }));
}

TEST(MaskedPixelTest, FiveBitChannelsWidenByRepeatingTheirTopBits) {
    // red 31, green 16, blue 1: (v << 3) | (v >> 2) gives 255, 132, 8.
    ExpectRow(MaskedRow(16, {}, {31u << 10 | 16u << 5 | 1u, 0x7FFF, 0x0000}),
              {0xFF8408, 0xFFFFFF, 0x000000});
}

TEST(MaskedPixelTest, MasksOfAnyContiguousWidthReachFullScale) {
    // 6-bit green of 5-6-5: 32 becomes (32 << 2) | (32 >> 4) = 130.
    ExpectRow(MaskedRow(16, {0xF800, 0x07E0, 0x001F}, {0x07E0, 32u << 5}), {0x00FF00, 0x008200});
    // 4-4-4 in the low bits: 0xA becomes 0xAA; the top nibble is ignored.
    ExpectRow(MaskedRow(16, {0x0F00, 0x00F0, 0x000F}, {0xFA5F}), {0xAA55FF});
    // 10-10-10: the top eight of ten bits.
    ExpectRow(MaskedRow(32, {0x3FF00000, 0x000FFC00, 0x000003FF}, {0x3FF00000u | 0x200u << 10}),
              {0xFF8000});
    // One-bit channels and an absent (zero) blue mask.
    ExpectRow(MaskedRow(16, {0x8000, 0x4000, 0}, {0xC0FF, 0x4000}), {0xFFFF00, 0x00FF00});
}

TEST(MaskedPixelTest, RefusesMasksWithGapsOrWiderThanThePixel) {
    for (const std::vector<std::uint32_t>& masks : std::vector<std::vector<std::uint32_t>>{
             {0x7C00, 0x03E0, 0x0015}, {0x1F0000, 0x03E0, 0x001F}}) {
        EXPECT_TRUE(
            bmp_test::RefusedFor(Decode(MaskedRow(16, masks, {0})), BitmapFailure::kBadMasks));
    }
}

// A 4 x 3 RLE8 picture with entry 0 red and entry 1 green.
BmpSpec RunLengthPicture(std::vector<std::uint8_t> commands, std::uint32_t compression = 1) {
    BmpSpec spec;
    spec.width = 4;
    spec.height = 3;
    spec.bitCount = compression == bmp_test::kRle8 ? 8 : 4;
    spec.compression = compression;
    spec.colorsUsed = 3;
    spec.palette = {0xFF0000, 0x00FF00, 0x0000FF};
    spec.pixels = std::move(commands);
    return spec;
}

constexpr std::uint32_t R = 0xFF0000;
constexpr std::uint32_t G = 0x00FF00;
constexpr std::uint32_t B = 0x0000FF;

void ExpectPicture(const BmpSpec& spec, const std::vector<std::vector<std::uint32_t>>& rows) {
    const BitmapDecodeResult result = Decode(spec);
    ASSERT_TRUE(result.image.has_value()) << static_cast<int>(result.failure);
    EXPECT_TRUE(bmp_test::HasPixels(*result.image, 4, 3, [&](int x, int y) {
        return rows[static_cast<size_t>(y)][static_cast<size_t>(x)];
    }));
}

TEST(RunLengthTest, PixelsNoCommandWritesKeepPaletteEntryZero) {
    // One green, move 2 right and 1 up, two blue, end of picture.
    ExpectPicture(RunLengthPicture({1, 1, 0, 2, 2, 1, 2, 2, 0, 1}),
                  {{G, R, R, R}, {R, R, R, B}, {R, R, R, R}});
}

TEST(RunLengthTest, EndOfLineMovesToTheStartOfTheNextRow) {
    ExpectPicture(RunLengthPicture({2, 1, 0, 0, 0, 0, 4, 2, 0, 1}),
                  {{G, G, R, R}, {R, R, R, R}, {B, B, B, B}});
}

TEST(RunLengthTest, LiteralRunsSkipTheirWordPadding) {
    // RLE8: three literal indexes and a pad byte, then a repeated run.
    ExpectPicture(RunLengthPicture({0, 3, 1, 2, 1, 0, 1, 2, 0, 1}),
                  {{G, B, G, B}, {R, R, R, R}, {R, R, R, R}});
    // RLE4: three nibbles in two bytes need no pad; five in three bytes take one.
    ExpectPicture(
        RunLengthPicture({0, 3, 0x12, 0x10, 2, 0x21, 0, 0, 0, 5, 0x21, 0x21, 0x20, 0, 0, 1},
                         bmp_test::kRle4),
        {{G, B, G, B}, {B, G, B, G}, {R, R, R, R}});
}

TEST(RunLengthTest, RunsPastTheRowEndAreDroppedNotWrapped) {
    // ImageMagick encodes whole padded rows, so the run of 6 reaches past the 4-pixel row.
    ExpectPicture(RunLengthPicture({6, 1, 0, 0, 0, 5, 2, 2, 2, 2, 2, 0, 0, 1}),
                  {{G, G, G, G}, {B, B, B, B}, {R, R, R, R}});
    // A move past the row's end drops the rest of that row too.
    ExpectPicture(RunLengthPicture({0, 2, 200, 0, 2, 1, 0, 0, 1, 2, 0, 1}),
                  {{R, R, R, R}, {B, R, R, R}, {R, R, R, R}});
}

TEST(RunLengthTest, RefusesCommandsAboveThePictureStreamsWithoutEndAndUnknownIndexes) {
    constexpr BitmapFailure kAbove = BitmapFailure::kRunOutsidePicture;
    constexpr BitmapFailure kCut = BitmapFailure::kFileTooShort;
    constexpr BitmapFailure kIndex = BitmapFailure::kIndexPastPalette;
    const std::vector<std::pair<std::vector<std::uint8_t>, BitmapFailure>> damaged = {
        {{0, 0, 0, 0, 0, 0, 1, 1, 0, 1}, kAbove},              // a run on the row above the top
        {{0, 2, 0, 4, 0, 1}, kAbove},                          // a move above the top
        {{0, 0, 0, 0, 0, 0, 0, 0, 0, 1}, kAbove},              // an end of line above the top
        {{0, 0, 0, 0, 0, 0, 0, 3, 1, 1, 1, 0, 0, 1}, kAbove},  // a literal run above the top
        {{4, 1, 0, 0}, kCut},                                  // no end of picture
        {{0, 5, 1, 1}, kCut},                                  // a literal run cut short
        {{0, 2, 1}, kCut},                                     // a move cut short
        {{1}, kCut},                                           // half a command
        {{3, 7, 0, 1}, kIndex},                                // an index past the palette
        {{0, 3, 1, 9, 1, 0, 0, 1}, kIndex},                    // a literal index past it
    };
    for (const auto& [commands, reason] : damaged) {
        EXPECT_TRUE(bmp_test::RefusedFor(Decode(RunLengthPicture(commands)), reason))
            << ::testing::PrintToString(commands);
    }
}

}  // namespace
