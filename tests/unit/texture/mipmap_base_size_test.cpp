#include <gtest/gtest.h>

#include "texture/mipmap_base.h"

namespace {

struct SizeCase {
    int width;
    int height;
    int maxTextureSize;
    PictureSize expected;
};

class MipmapBaseSizeRule : public ::testing::TestWithParam<SizeCase> {};

TEST_P(MipmapBaseSizeRule, RoundsEachSideByItsLeadingBitsAndHalvesBothToFit) {
    const SizeCase& given = GetParam();
    const PictureSize size = MipmapBaseSize(given.width, given.height, given.maxTextureSize);
    EXPECT_EQ(size.width, given.expected.width);
    EXPECT_EQ(size.height, given.expected.height);
}

// Real GL takes 16384 here, which the comparison with GLU covers; a small limit shows that
// both sides halve together rather than each being cut to the limit.
INSTANTIATE_TEST_SUITE_P(Sizes, MipmapBaseSizeRule,
                         ::testing::Values(SizeCase{1536, 1535, 4096, {2048, 1024}},
                                           SizeCase{1920, 1080, 4096, {2048, 1024}},
                                           SizeCase{1366, 768, 4096, {1024, 1024}},
                                           SizeCase{200, 50, 64, {64, 16}},
                                           SizeCase{3000, 1, 64, {64, 1}},
                                           SizeCase{0, -5, 64, {1, 1}}));

}  // namespace
