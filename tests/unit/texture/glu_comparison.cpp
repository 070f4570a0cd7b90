#include "glu_comparison.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

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

}  // namespace

BitmapImage NoisePicture(int width, int height) {
    const std::size_t bytes = static_cast<std::size_t>(width) * height * 3;
    std::vector<std::uint32_t> words((bytes + 3) / 4);
    std::uint32_t state = 0x9E3779B9u ^ (static_cast<std::uint32_t>(width) * 65599u +
                                         static_cast<std::uint32_t>(height));
    for (std::uint32_t& word : words) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        word = state;
    }
    BitmapImage picture{width, height, {}};
    // For some sizes GLU reads one pixel past the last row (with no weight); it must be there.
    picture.pixels.reserve(bytes + 3);
    picture.pixels.resize(bytes);
    std::memcpy(picture.pixels.data(), words.data(), bytes);
    return picture;
}

void ExpectSamePicture(const BitmapImage& ours, const BitmapImage& glus) {
    ASSERT_EQ(ours.width, glus.width);
    ASSERT_EQ(ours.height, glus.height);
    if (ours.pixels == glus.pixels) {
        return;
    }
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
