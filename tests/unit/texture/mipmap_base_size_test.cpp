#include <gtest/gtest.h>

#include "texture/mipmap_base.h"

namespace {

// A driver whose proxy takes any texture up to its largest side, and one that refuses larger
// ones by their texels (its memory), as some do below their largest side.
LevelOneFits UpToSide(int largest) {
    return [largest](PictureSize levelOne) {
        return levelOne.width <= largest / 2 && levelOne.height <= largest / 2;
    };
}

LevelOneFits UpToTexels(long texels) {
    return [texels](PictureSize levelOne) {
        return static_cast<long>(levelOne.width) * levelOne.height <= texels;
    };
}

LevelOneFits Nothing() {
    return [](PictureSize) { return false; };
}

struct SizeCase {
    const char* what;
    int width;
    int height;
    LevelOneFits fits;
    int maxTextureSize;
    PictureSize expected;
};

TEST(MipmapBaseSize, RoundsEachSideByItsLeadingBitsAndHalvesBothUntilTheDriverTakesIt) {
    const SizeCase cases[] = {
        {"up across, down along", 1536, 1535, UpToSide(4096), 4096, {2048, 1024}},
        {"full HD", 1920, 1080, UpToSide(4096), 4096, {2048, 1024}},
        {"down on both", 1366, 768, UpToSide(4096), 4096, {1024, 1024}},
        {"both halved together", 200, 50, UpToSide(64), 64, {64, 16}},
        {"one row", 3000, 1, UpToSide(64), 64, {64, 1}},
        {"nothing left", 0, -5, UpToSide(64), 64, {1, 1}},
        // The proxy refuses what the largest side allows: GLU goes by the proxy.
        {"refused by memory", 1920, 1080, UpToTexels(512 * 256), 16384, {1024, 512}},
        // Not even 1 x 1 fits: GLU cuts each side on its own to the largest side.
        {"refused outright", 1920, 1080, Nothing(), 1024, {1024, 1024}},
    };
    for (const SizeCase& c : cases) {
        const PictureSize size = MipmapBaseSize(c.width, c.height, c.fits, c.maxTextureSize);
        EXPECT_EQ(size.width, c.expected.width) << c.what;
        EXPECT_EQ(size.height, c.expected.height) << c.what;
    }
}

}  // namespace
