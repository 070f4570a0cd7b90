#include "shell/portable_pixmap.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace std::string_literals;

namespace {

PixmapDecodeResult Decode(const std::string& bytes) {
    return DecodePortablePixmap(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

TEST(PortablePixmap, ReadsGrimsPhotographRowsBottomFirst) {
    // Two rows of two pixels: red, green over blue, white.
    const PixmapDecodeResult result =
        Decode("P6\n2 2\n255\n\xff\x00\x00\x00\xff\x00\x00\x00\xff\xff\xff\xff"s);
    ASSERT_TRUE(result.image) << result.error;
    EXPECT_EQ(result.image->width, 2);
    EXPECT_EQ(result.image->height, 2);
    EXPECT_EQ(result.image->pixels, (std::vector<std::uint8_t>{0, 0, 255, 255, 255, 255,  //
                                                               255, 0, 0, 0, 255, 0}));
}

TEST(PortablePixmap, TakesCommentsAndScalesSamplesOfAnyDepthToBytes) {
    struct Case {
        std::string bytes;
        std::vector<std::uint8_t> pixels;
    };
    const Case cases[] = {
        {"P6 # grim\n1 # wide\n1\n255\n\x01\x02\x03"s, {1, 2, 3}},
        {"P6\n1 1\n15\n\x0f\x00\x07"s, {255, 0, 119}},
        {"P6\n1 1\n65535\n\xff\xff\x00\x00\x80\x00"s, {255, 0, 128}},
    };
    for (const Case& c : cases) {
        const PixmapDecodeResult result = Decode(c.bytes);
        ASSERT_TRUE(result.image) << result.error;
        EXPECT_EQ(result.image->pixels, c.pixels);
    }
}

TEST(PortablePixmap, RefusesWhatIsNoPictureOrPromisesMoreThanItHolds) {
    struct Case {
        std::string bytes;
        const char* error;
    };
    const Case cases[] = {
        {"P3\n1 1\n255\n1 2 3\n", "not a binary portable pixmap (P6)"},
        {"", "not a binary portable pixmap (P6)"},
        {"P6\n1 x\n255\n", "a damaged portable pixmap header, or a side past 32768"},
        {"P6\n32769 1\n255\n", "a damaged portable pixmap header, or a side past 32768"},
        {"P6\n1 1\n255", "a damaged portable pixmap header, or a side past 32768"},
        {"P6\n1 1\n65536\n", "a damaged portable pixmap header, or a side past 32768"},
        {"P6\n0 1\n255\n", "a portable pixmap of no pixels, no colours or too many pixels"},
        {"P6\n1 1\n0\n\x01\x02\x03",
         "a portable pixmap of no pixels, no colours or too many pixels"},
        {"P6\n32768 32768\n255\n", "a portable pixmap of no pixels, no colours or too many pixels"},
        {"P6\n2 1\n255\n\x01\x02\x03\x04\x05", "the portable pixmap ends before its pixels do"},
    };
    for (const Case& c : cases) {
        const PixmapDecodeResult result = Decode(c.bytes);
        EXPECT_FALSE(result.image) << c.bytes;
        EXPECT_EQ(result.error, c.error) << c.bytes;
    }
}

}  // namespace
