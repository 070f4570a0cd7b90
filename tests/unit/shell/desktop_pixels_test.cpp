#include "shell/desktop_pixels.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

TEST(DesktopPixels, EachChannelIsScaledFromItsMaskToEightBits) {
    struct Case {
        const char* what;
        PixelMasks masks;
        unsigned long pixel;
        std::vector<std::uint8_t> rgb;
    };
    const Case cases[] = {
        {"24-bit, red on top", {0xFF0000, 0x00FF00, 0x0000FF}, 0x123456, {0x12, 0x34, 0x56}},
        {"24-bit, blue on top", {0x0000FF, 0x00FF00, 0xFF0000}, 0x123456, {0x56, 0x34, 0x12}},
        {"5-6-5, full and half", {0xF800, 0x07E0, 0x001F}, 0xFFE0 | 0x10, {255, 255, 131}},
        {"10 bits a channel", {0x3FF00000, 0x000FFC00, 0x000003FF}, 0x3FF00200, {255, 0, 127}},
        {"a channel without a mask", {0xFF0000, 0x00FF00, 0}, 0xFFFFFF, {255, 255, 0}},
    };
    for (const Case& given : cases) {
        std::vector<std::uint8_t> rgb(3);
        RgbFromPixel(given.masks).Write(given.pixel, rgb.data());
        EXPECT_EQ(rgb, given.rgb) << given.what;
    }
}

TEST(DesktopPixels, ThirtyTwoBitRowsBecomeRgbBottomFirstWithoutTheirPadding) {
    // Two rows of two little-endian pixels, each row padded to 12 bytes; the top row is red
    // then green, the bottom one blue then white.
    const std::vector<std::uint8_t> rows = {0x00, 0x00, 0xFF, 0x00, 0x00, 0xFF, 0x00, 0x00,
                                            0xEE, 0xEE, 0xEE, 0xEE, 0xFF, 0x00, 0x00, 0x00,
                                            0xFF, 0xFF, 0xFF, 0x00, 0xEE, 0xEE, 0xEE, 0xEE};
    const BitmapImage picture = PictureFromPixels32(rows.data(), 12, 2, 2, 24,
                                                    RgbFromPixel({0xFF0000, 0x00FF00, 0x0000FF}));
    EXPECT_EQ(picture.width, 2);
    EXPECT_EQ(picture.height, 2);
    EXPECT_EQ(picture.pixels,
              (std::vector<std::uint8_t>{0, 0, 255, 255, 255, 255, 255, 0, 0, 0, 255, 0}));
}

}  // namespace
