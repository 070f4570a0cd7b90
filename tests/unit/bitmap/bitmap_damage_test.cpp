// Files the reader refuses, each for the reason of the check that must catch it: other header
// kinds, formats it does not convert, and damaged or hostile headers. None may read or write
// out of bounds (the sanitizer build checks that).
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "bitmap/bitmap_reader.h"
#include "bmp_builder.h"

namespace {

using bmp_test::BmpSpec;
using bmp_test::BuildBmp;
using bmp_test::Decode;
using bmp_test::RefusedFor;

// A 4 x 2 24-bit picture: its rows need no padding, so every byte is meaningful.
BmpSpec Picture24() {
    BmpSpec spec;
    spec.width = 4;
    spec.height = 2;
    spec.pixels = bmp_test::PackRows(4, 2, 24, [](int x, int y) { return 0x102030u * (x + y); });
    return spec;
}

BmpSpec Picture8() {
    BmpSpec spec;
    spec.width = 3;
    spec.height = 2;
    spec.bitCount = 8;
    spec.palette.assign(256, 0x445566);
    spec.pixels = bmp_test::PackRows(3, 2, 8, [](int x, int) { return static_cast<unsigned>(x); });
    return spec;
}

TEST(RefusedHeaderTest, OtherInformationHeaderSizesAreAnUnknownFormat) {
    for (std::uint32_t size : {108u, 124u, 64u, 56u, 16u, 0u, 0xFFFFFFFFu}) {
        for (bool fileHeader : {true, false}) {
            BmpSpec spec = Picture24();
            spec.headerSize = size;
            spec.fileHeader = fileHeader;
            EXPECT_TRUE(RefusedFor(Decode(BuildBmp(spec)), BitmapFailure::kUnknownHeader)) << size;
        }
    }
}

TEST(RefusedHeaderTest, CompressionsAndBitCountsItDoesNotConvertAreUnsupported) {
    struct Case {
        std::uint16_t bitCount;
        std::uint32_t compression;
        bool topDown;
    };
    const Case cases[] = {
        {24, 4, false},   // JPEG inside
        {24, 5, false},   // PNG inside
        {32, 6, false},   // alpha bit fields
        {24, 99, false},  // no such compression
        {0, 0, false},
        {2, 0, false},
        {3, 0, false},
        {48, 0, false},
        {64, 0, false},
        {4, bmp_test::kRle8, false},        // RLE8 of 4-bit indexes
        {8, bmp_test::kRle4, false},        // RLE4 of 8-bit indexes
        {8, bmp_test::kRle8, true},         // run-length pictures are bottom-up only
        {24, bmp_test::kBitFields, false},  // masks only for 16 and 32 bits
        // Found by the fuzzer: checking the masks of such a file shifted by the bit count.
        {0xFFFF, bmp_test::kBitFields, false},
    };
    for (const Case& c : cases) {
        BmpSpec spec = Picture24();
        spec.bitCount = c.bitCount;
        spec.compression = c.compression;
        spec.height = c.topDown ? -2 : 2;
        spec.masks = {0xFF0000, 0xFF00, 0xFF};
        EXPECT_TRUE(RefusedFor(Decode(BuildBmp(spec)), BitmapFailure::kUnsupportedFormat))
            << c.bitCount << " bits, compression " << c.compression;
    }
}

TEST(DamagedFileTest, SidesPastTheBoundsAreImpossibleAndTheLargestSideIsNot) {
    struct Size {
        std::int32_t width, height;
    };
    const Size sizes[] = {{0, 2},        {-4, 2},    {4, 0},     {INT_MAX, 2}, {INT_MIN, 2},
                          {4, INT_MIN},  {32769, 1}, {1, 32769}, {1, -32769},  {INT_MAX, INT_MAX},
                          {32768, 32768}};  // the last: 3 GB of pixels from a few bytes
    for (const Size& size : sizes) {
        BmpSpec spec = Picture24();
        spec.width = size.width;
        spec.height = size.height;
        EXPECT_TRUE(RefusedFor(Decode(BuildBmp(spec)), BitmapFailure::kImpossibleSize))
            << size.width << " x " << size.height;
    }
    // Run-length data could claim any size with one command; the pixel bound still holds.
    BmpSpec rle = Picture8();
    rle.compression = bmp_test::kRle8;
    rle.width = 32768;
    rle.height = 32768;
    rle.pixels = {0, 1};
    EXPECT_TRUE(RefusedFor(Decode(BuildBmp(rle)), BitmapFailure::kImpossibleSize));

    BmpSpec widest = Picture24();
    widest.width = 32768;
    widest.height = 1;
    widest.pixels.assign(32768 * 3, 0x7F);
    EXPECT_TRUE(Decode(BuildBmp(widest)).image.has_value());
}

TEST(DamagedFileTest, PixelOffsetsAndColourTablesPastTheEndEndTheFileTooShort) {
    const std::size_t trueSize = BuildBmp(Picture24()).size();
    for (std::uint32_t offset :
         {static_cast<std::uint32_t>(trueSize - 1), static_cast<std::uint32_t>(trueSize + 1),
          0x7FFFFFFFu, 0xFFFFFFFFu}) {
        BmpSpec spec = Picture24();
        spec.pixelOffset = offset;
        EXPECT_TRUE(RefusedFor(Decode(BuildBmp(spec)), BitmapFailure::kFileTooShort)) << offset;
    }
    for (std::uint32_t colorsUsed : {300u, 1000u, 0x40000000u, 0xFFFFFFFFu}) {
        for (bool fileHeader : {true, false}) {
            BmpSpec spec = Picture8();
            spec.colorsUsed = colorsUsed;
            spec.fileHeader = fileHeader;
            EXPECT_TRUE(RefusedFor(Decode(BuildBmp(spec)), BitmapFailure::kFileTooShort))
                << colorsUsed;
        }
    }
}

TEST(DamagedFileTest, IndexesPastTheColourTableAreRefused) {
    BmpSpec spec = Picture8();
    spec.colorsUsed = 2;
    spec.palette = {0x000000, 0xFFFFFF};  // the pixels use index 2
    EXPECT_TRUE(RefusedFor(Decode(BuildBmp(spec)), BitmapFailure::kIndexPastPalette));
}

}  // namespace
