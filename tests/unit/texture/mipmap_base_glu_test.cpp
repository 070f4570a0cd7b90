#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <ostream>
#include <string>

#include "glu_first_level.h"
#include "test_gl_context.h"
#include "texture/mipmap_base.h"

namespace {

struct PictureCase {
    int width;
    int height;
    const char* what;
};

void PrintTo(const PictureCase& given, std::ostream* out) {
    *out << given.width << " x " << given.height << ", " << given.what;
}

// Every byte different from its neighbours, so that any slip of weight or rounding shows.
BitmapImage NoisePicture(int width, int height) {
    BitmapImage picture{width, height, {}};
    const std::size_t bytes = static_cast<std::size_t>(width) * height * 3;
    // For some sizes GLU reads one pixel past the last row (with no weight); it must be there.
    picture.pixels.reserve(bytes + 3);
    std::uint32_t state = 0x9E3779B9u ^ (static_cast<std::uint32_t>(width) * 65599u +
                                         static_cast<std::uint32_t>(height));
    for (std::size_t i = 0; i < bytes; ++i) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        picture.pixels.push_back(static_cast<std::uint8_t>(state >> 24));
    }
    return picture;
}

// Wine's 32-bit glu32 is built for the x87 unit, whose registers are wider than a float: where
// it rounds is its compiler's choice, and now and then a total lands across a whole number
// from where single precision puts it. Everywhere else GLU computes in single precision.
#if defined(_WIN32) && !defined(_WIN64)
constexpr std::size_t kBytesPerOffByOne = 10000;
#else
constexpr std::size_t kBytesPerOffByOne = 0;
#endif

std::size_t OffByOneAllowed(std::size_t bytes) {
    return kBytesPerOffByOne == 0 ? 0 : bytes / kBytesPerOffByOne;
}

void ExpectSamePicture(const BitmapImage& ours, const BitmapImage& glus) {
    ASSERT_EQ(ours.width, glus.width);
    ASSERT_EQ(ours.height, glus.height);
    std::size_t differing = 0;
    std::size_t first = 0;
    int widest = 0;
    for (std::size_t i = ours.pixels.size(); i-- > 0;) {
        const int apart = std::abs(ours.pixels[i] - glus.pixels[i]);
        if (apart != 0) {
            ++differing;
            first = i;
            widest = std::max(widest, apart);
        }
    }
    const std::size_t width = static_cast<std::size_t>(ours.width);
    EXPECT_LE(differing, OffByOneAllowed(ours.pixels.size()))
        << "first at column " << first / 3 % width << ", row " << first / 3 / width << ": ours "
        << int{ours.pixels[first]} << ", GLU's " << int{glus.pixels[first]};
    EXPECT_LE(widest, kBytesPerOffByOne == 0 ? 0 : 1);
}

class MipmapBaseLikeGlu : public ::testing::TestWithParam<PictureCase> {};

TEST_P(MipmapBaseLikeGlu, IsTheFirstLevelGluBuildsBitForBit) {
    ASSERT_TRUE(MakeTestGlContextCurrent());
    const BitmapImage picture = NoisePicture(GetParam().width, GetParam().height);
    const std::optional<BitmapImage> scaled = ScaleToMipmapBase(picture, GlMaxTextureSize());
    ExpectSamePicture(scaled ? *scaled : picture, GluFirstLevel(picture));
}

// GL_MAX_TEXTURE_SIZE is 16384 under Mesa's llvmpipe, here and under Wine.
INSTANTIATE_TEST_SUITE_P(
    Pictures, MipmapBaseLikeGlu,
    ::testing::Values(
        PictureCase{1, 1, "a single pixel, left as it is"}, PictureCase{3, 1, "one row, up"},
        PictureCase{1, 5, "one column, down"}, PictureCase{13, 7, "up on both axes"},
        PictureCase{37, 23, "down on both axes"}, PictureCase{997, 631, "up across, down along"},
        PictureCase{631, 997, "down across, up along"},
        PictureCase{1366, 768, "a laptop's desktop"}, PictureCase{1920, 1080, "a full-HD desktop"},
        PictureCase{32767, 2047, "past the largest texture: both sides halved"},
        PictureCase{32768, 2048, "the largest the reader takes: exactly half"}),
    [](const ::testing::TestParamInfo<PictureCase>& info) {
        return std::to_string(info.param.width) + "x" + std::to_string(info.param.height);
    });

}  // namespace
