#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

#include "gl/mipmap_size.h"
#include "glu_comparison.h"
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

class MipmapBaseLikeGlu : public ::testing::TestWithParam<PictureCase> {};

TEST_P(MipmapBaseLikeGlu, IsTheFirstLevelGluBuildsBitForBit) {
    ASSERT_TRUE(MakeTestGlContextCurrent());
    const BitmapImage picture = NoisePicture(GetParam().width, GetParam().height);
    const std::optional<BitmapImage> scaled =
        ScaleToMipmapBase(picture, DriverMipmapBaseSize(picture.width, picture.height));
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
