// Every stored form the reader accepts, built in memory, decodes to the same colours with the
// bottom row first.
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "bitmap/bitmap_reader.h"
#include "bmp_builder.h"

namespace {

using bmp_test::BmpSpec;

// Every channel value here survives a trip through 5 and 6 bits, so 16-bit forms can hold the
// same picture as the others. Entry 0 is not black, so a pixel left unwritten shows.
const std::vector<std::uint32_t> kColours = {0xE71008, 0x08F718, 0x1810EF,
                                             0xF7EF00, 0xFFFFFF, 0x000000};

enum class Stored { kIndex, kBgr24, kRgb555, kRgb565, kXrgb32, kXbgr32 };

struct Form {
    const char* name;
    std::uint16_t bitCount;
    std::uint32_t compression;
    std::uint32_t headerSize;
    bool topDown;
    std::uint32_t colorsUsed;
    Stored stored;
    std::vector<std::uint32_t> masks;
};

void PrintTo(const Form& form, std::ostream* os) {
    *os << form.name;
}

const std::vector<Form>& Forms() {
    using bmp_test::kBitFields;
    using bmp_test::kRgb;
    const std::vector<std::uint32_t> rgb565 = {0xF800, 0x07E0, 0x001F};
    const std::vector<std::uint32_t> bgr32 = {0x000000FF, 0x0000FF00, 0x00FF0000};
    static const std::vector<Form> forms = {
        {"Core1", 1, kRgb, 12, false, 0, Stored::kIndex, {}},
        {"Core4", 4, kRgb, 12, false, 0, Stored::kIndex, {}},
        {"Core8", 8, kRgb, 12, false, 0, Stored::kIndex, {}},
        {"Core24", 24, kRgb, 12, false, 0, Stored::kBgr24, {}},
        {"Info1", 1, kRgb, 40, false, 0, Stored::kIndex, {}},
        {"Info1TopDown", 1, kRgb, 40, true, 0, Stored::kIndex, {}},
        {"Info4", 4, kRgb, 40, false, 0, Stored::kIndex, {}},
        {"Info8", 8, kRgb, 40, false, 0, Stored::kIndex, {}},
        {"Info8SixColoursUsed", 8, kRgb, 40, false, 6, Stored::kIndex, {}},
        {"Info24", 24, kRgb, 40, false, 0, Stored::kBgr24, {}},
        {"Info24TopDown", 24, kRgb, 40, true, 0, Stored::kBgr24, {}},
        {"Info24WithOptimalPalette", 24, kRgb, 40, false, 6, Stored::kBgr24, {}},
        {"Info16", 16, kRgb, 40, false, 0, Stored::kRgb555, {}},
        {"Info16Fields565", 16, kBitFields, 40, false, 0, Stored::kRgb565, rgb565},
        {"Info16Fields565TopDown", 16, kBitFields, 40, true, 0, Stored::kRgb565, rgb565},
        {"Info32", 32, kRgb, 40, false, 0, Stored::kXrgb32, {}},
        {"Info32TopDown", 32, kRgb, 40, true, 0, Stored::kXrgb32, {}},
        {"Info32FieldsBgr", 32, kBitFields, 40, false, 0, Stored::kXbgr32, bgr32},
        {"Info8Rle8", 8, bmp_test::kRle8, 40, false, 0, Stored::kIndex, {}},
        {"Info8Rle8SixColoursUsed", 8, bmp_test::kRle8, 40, false, 6, Stored::kIndex, {}},
        {"Info4Rle4", 4, bmp_test::kRle4, 40, false, 0, Stored::kIndex, {}},
    };
    return forms;
}

std::uint32_t PaletteLength(const Form& form) {
    return form.colorsUsed != 0 ? form.colorsUsed : 1u << form.bitCount;
}

std::uint32_t ColourCount(const Form& form) {
    return form.bitCount == 1 ? 2 : static_cast<std::uint32_t>(kColours.size());
}

// A pattern with short repeats and unequal neighbours, so run-length forms get runs of one and
// of more, and no row or column is a copy of another.
std::uint32_t IndexAt(const Form& form, int x, int y) {
    return static_cast<std::uint32_t>(x / 2 * 7 + y * 3 + x * y) % ColourCount(form);
}

std::uint32_t StoredValueOf(const Form& form, std::uint32_t index) {
    const std::uint32_t rgb = kColours[index];
    const std::uint32_t r = rgb >> 16;
    const std::uint32_t g = rgb >> 8 & 0xFF;
    const std::uint32_t b = rgb & 0xFF;
    switch (form.stored) {
        case Stored::kIndex:
            return index;
        case Stored::kBgr24:
        case Stored::kXrgb32:
            return rgb;
        case Stored::kRgb555:
            return (r >> 3) << 10 | (g >> 3) << 5 | b >> 3;
        case Stored::kRgb565:
            return (r >> 3) << 11 | (g >> 2) << 5 | b >> 3;
        case Stored::kXbgr32:
            return b << 16 | g << 8 | r;
    }
    return 0;
}

std::vector<std::uint32_t> PaletteOf(const Form& form) {
    if (form.stored != Stored::kIndex && form.colorsUsed == 0) {
        return {};
    }
    std::vector<std::uint32_t> palette(PaletteLength(form), 0x123456);
    std::copy(kColours.begin(), kColours.begin() + std::min<std::size_t>(palette.size(), 6),
              palette.begin());
    return palette;
}

BmpSpec SpecOf(const Form& form, int width, int height, bool fileHeader) {
    BmpSpec spec;
    spec.width = width;
    spec.height = form.topDown ? -height : height;
    spec.bitCount = form.bitCount;
    spec.compression = form.compression;
    spec.headerSize = form.headerSize;
    spec.fileHeader = fileHeader;
    spec.colorsUsed = form.colorsUsed;
    spec.palette = PaletteOf(form);
    spec.masks = form.masks;
    const bmp_test::StoredValue value = [&](int x, int storedRow) {
        const int y = form.topDown ? height - 1 - storedRow : storedRow;
        return StoredValueOf(form, IndexAt(form, x, y));
    };
    const bool runLength =
        form.compression == bmp_test::kRle8 || form.compression == bmp_test::kRle4;
    spec.pixels = runLength ? bmp_test::EncodeRle(width, height, form.bitCount, value)
                            : bmp_test::PackRows(width, height, form.bitCount, value);
    return spec;
}

class AcceptedFormTest : public ::testing::TestWithParam<std::tuple<Form, int, bool>> {};

TEST_P(AcceptedFormTest, DecodesToTheStoredColoursBottomRowFirst) {
    const auto& [form, width, fileHeader] = GetParam();
    const int height = 3;
    const BitmapDecodeResult result =
        bmp_test::Decode(bmp_test::BuildBmp(SpecOf(form, width, height, fileHeader)));

    ASSERT_TRUE(result.image.has_value()) << static_cast<int>(result.failure);
    EXPECT_TRUE(bmp_test::HasPixels(*result.image, width, height,
                                    [&](int x, int y) { return kColours[IndexAt(form, x, y)]; }));
}

// Wherever a file of any form is cut, the reader sees that it ends too soon.
TEST(TruncatedFormTest, EveryCutEndsTheFileTooShort) {
    for (const Form& form : Forms()) {
        for (bool fileHeader : {true, false}) {
            const std::vector<std::uint8_t> file =
                bmp_test::BuildBmp(SpecOf(form, 3, 3, fileHeader));
            for (std::size_t length = 0; length < file.size(); ++length) {
                const std::vector<std::uint8_t> cut(file.begin(), file.begin() + length);
                EXPECT_TRUE(
                    bmp_test::RefusedFor(bmp_test::Decode(cut), BitmapFailure::kFileTooShort))
                    << form.name << (fileHeader ? "" : " headerless") << " cut at " << length;
            }
        }
    }
}

std::string FormCaseName(const ::testing::TestParamInfo<AcceptedFormTest::ParamType>& info) {
    const auto& [form, width, fileHeader] = info.param;
    return std::string(form.name) + "Width" + std::to_string(width) +
           (fileHeader ? "WithFileHeader" : "Headerless");
}

INSTANTIATE_TEST_SUITE_P(EveryForm, AcceptedFormTest,
                         ::testing::Combine(::testing::ValuesIn(Forms()),
                                            ::testing::Values(1, 3, 1366), ::testing::Bool()),
                         FormCaseName);

}  // namespace
