// Files the reader refuses: other header kinds, formats it does not convert, and damaged or
// hostile headers. Each gives exactly its message and no picture; none may read or write out
// of bounds (the sanitizer build checks that).
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <vector>

#include "bitmap/bitmap_reader.h"
#include "bmp_builder.h"

namespace {

using bmp_test::BmpSpec;

constexpr char kUnknownFormat[] = "Unknown DIB file format.";
constexpr char kConversionError[] = "Image file conversion error.";

BitmapDecodeResult Decode(const std::vector<std::uint8_t>& file) {
    return DecodeBitmap(file.data(), file.size());
}

void ExpectRefused(const std::vector<std::uint8_t>& file, const char* message) {
    const BitmapDecodeResult result = Decode(file);
    EXPECT_FALSE(result.image.has_value());
    EXPECT_EQ(message, result.message);
}

// A 4 x 2 24-bit picture: its rows need no padding, so every byte is meaningful.
BmpSpec Picture24() {
    BmpSpec spec;
    spec.width = 4;
    spec.height = 2;
    spec.pixels = bmp_test::PackRows(4, 2, 24, [](int x, int y) { return 0x102030u * (x + y); });
    return spec;
}

BmpSpec Picture8(std::uint32_t headerSize) {
    BmpSpec spec;
    spec.width = 3;
    spec.height = 2;
    spec.bitCount = 8;
    spec.headerSize = headerSize;
    spec.palette.assign(256, 0x445566);
    spec.pixels = bmp_test::PackRows(3, 2, 8, [](int x, int) { return static_cast<unsigned>(x); });
    return spec;
}

BmpSpec PictureRle8() {
    BmpSpec spec = Picture8(40);
    spec.compression = bmp_test::kRle8;
    spec.pixels = bmp_test::EncodeRle(3, 2, 8, [](int x, int) { return static_cast<unsigned>(x); });
    return spec;
}

BmpSpec PictureFields16() {
    BmpSpec spec;
    spec.width = 2;
    spec.height = 2;
    spec.bitCount = 16;
    spec.compression = bmp_test::kBitFields;
    spec.masks = {0xF800, 0x07E0, 0x001F};
    spec.pixels = bmp_test::PackRows(2, 2, 16, [](int, int) { return 0x1234u; });
    return spec;
}

TEST(RefusedHeaderTest, OtherInformationHeaderSizesAreAnUnknownFormat) {
    for (std::uint32_t size : {108u, 124u, 64u, 56u, 16u, 0u, 0xFFFFFFFFu}) {
        for (bool fileHeader : {true, false}) {
            BmpSpec spec = Picture24();
            spec.headerSize = size;
            spec.fileHeader = fileHeader;
            ExpectRefused(bmp_test::BuildBmp(spec), kUnknownFormat);
        }
    }
}

TEST(RefusedHeaderTest, UnconvertedCompressionsAndBitCountsAreConversionErrors) {
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
        {0xFFFF, bmp_test::kBitFields, false},
    };
    for (const Case& c : cases) {
        BmpSpec spec = Picture24();
        spec.bitCount = c.bitCount;
        spec.compression = c.compression;
        spec.height = c.topDown ? -2 : 2;
        spec.masks = {0xFF0000, 0xFF00, 0xFF};
        ExpectRefused(bmp_test::BuildBmp(spec), kConversionError);
    }
}

TEST(DamagedFileTest, EveryTruncationIsAConversionError) {
    for (const BmpSpec& picture :
         {Picture24(), Picture8(40), Picture8(12), PictureRle8(), PictureFields16()}) {
        for (bool fileHeader : {true, false}) {
            BmpSpec spec = picture;
            spec.fileHeader = fileHeader;
            const std::vector<std::uint8_t> file = bmp_test::BuildBmp(spec);
            ASSERT_TRUE(Decode(file).image.has_value());
            for (std::size_t length = 0; length < file.size(); ++length) {
                SCOPED_TRACE(length);
                const std::vector<std::uint8_t> cut(file.begin(), file.begin() + length);
                ExpectRefused(cut, kConversionError);
            }
        }
    }
}

TEST(DamagedFileTest, ImpossibleSizesAreConversionErrors) {
    const std::int32_t sizes[]
                            [2] = {
                                {0, 2},         {-4, 2},
                                {4, 0},         {INT_MAX, 2},
                                {INT_MIN, 2},   {4, INT_MIN},
                                {32769, 1},     {1, 32769},
                                {1, -32769},    {INT_MAX, INT_MAX},
                                {32768, 32768},  // 3 GB of pixels from a few bytes
                            };
    for (const auto& size : sizes) {
        BmpSpec spec = Picture24();
        spec.width = size[0];
        spec.height = size[1];
        ExpectRefused(bmp_test::BuildBmp(spec), kConversionError);
    }
    // Run-length data could claim any size with one command; the pixel bound still holds.
    BmpSpec rle = PictureRle8();
    rle.width = 32768;
    rle.height = 32768;
    rle.pixels = {0, 1};
    ExpectRefused(bmp_test::BuildBmp(rle), kConversionError);
}

TEST(DamagedFileTest, TheLargestSideIsStillAccepted) {
    BmpSpec spec = Picture24();
    spec.width = 32768;
    spec.height = 1;
    spec.pixels.assign(32768 * 3, 0x7F);
    const BitmapDecodeResult result = Decode(bmp_test::BuildBmp(spec));
    ASSERT_TRUE(result.image.has_value()) << result.message;
    EXPECT_EQ(32768, result.image->width);
}

TEST(DamagedFileTest, OffsetsAndTablesPastTheEndAreConversionErrors) {
    const std::size_t trueSize = bmp_test::BuildBmp(Picture24()).size();
    for (std::uint32_t offset :
         {static_cast<std::uint32_t>(trueSize - 1), static_cast<std::uint32_t>(trueSize + 1),
          0x7FFFFFFFu, 0xFFFFFFFFu}) {
        BmpSpec spec = Picture24();
        spec.pixelOffset = offset;
        ExpectRefused(bmp_test::BuildBmp(spec), kConversionError);
    }
    for (std::uint32_t colorsUsed : {300u, 1000u, 0x40000000u, 0xFFFFFFFFu}) {
        for (bool fileHeader : {true, false}) {
            BmpSpec spec = Picture8(40);
            spec.colorsUsed = colorsUsed;
            spec.fileHeader = fileHeader;
            ExpectRefused(bmp_test::BuildBmp(spec), kConversionError);
        }
    }
}

TEST(DamagedFileTest, IndexesPastTheColourTableAreConversionErrors) {
    BmpSpec spec = Picture8(40);
    spec.colorsUsed = 2;
    spec.palette = {0x000000, 0xFFFFFF};  // the pixels use index 2
    ExpectRefused(bmp_test::BuildBmp(spec), kConversionError);
}

// Found by the fuzzer: bit fields with a bit count of 4096 used to shift by 4096 bits.
TEST(DamagedFileTest, FuzzFindingBitFieldsWithAnAbsurdBitCount) {
    std::vector<std::uint8_t> file(278, 0);
    const std::uint8_t head[] = {0x42, 0x4d, 0x74, 0x04, 0,    0,    0,    0, 0,    0,    0x3a, 0,
                                 0,    0,    0x28, 0,    0,    0,    0x07, 0, 0,    0,    0x05, 0,
                                 0,    0,    0x01, 0x21, 0,    0x10, 0x03, 0, 0,    0,    0x7b, 0,
                                 0,    0,    0,    0xff, 0xff, 0xdf, 0,    0, 0x19, 0x19, 0x19};
    std::memcpy(file.data(), head, sizeof head);
    ExpectRefused(file, kConversionError);
}

}  // namespace
