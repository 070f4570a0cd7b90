#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <new>
#include <ostream>
#include <vector>

#include "texture/mipmap_base.h"

namespace {

std::vector<std::uint8_t> NoMemory(std::size_t) {
    throw std::bad_alloc();
}

struct ScalingCase {
    int width;
    int height;
    PictureSize base;
};

void PrintTo(const ScalingCase& given, std::ostream* out) {
    *out << given.width << " x " << given.height << " to " << given.base.width << " x "
         << given.base.height;
}

class MipmapBaseWithoutMemory : public ::testing::TestWithParam<ScalingCase> {};

TEST_P(MipmapBaseWithoutMemory, GivesNoScaledPictureSoGluTakesTheOriginal) {
    const ScalingCase& given = GetParam();
    const BitmapImage picture{
        given.width, given.height,
        std::vector<std::uint8_t>(static_cast<std::size_t>(given.width) * given.height * 3, 7)};
    EXPECT_FALSE(ScaleToMipmapBase(picture, given.base, NoMemory).has_value());
}

// Both ways of scaling need memory: a box filter, and halving in 2 x 2 blocks.
INSTANTIATE_TEST_SUITE_P(Scalings, MipmapBaseWithoutMemory,
                         ::testing::Values(ScalingCase{3, 5, {4, 4}}, ScalingCase{8, 8, {4, 4}}));

}  // namespace
