#include "logic/bitmap_file.h"

#include <gtest/gtest.h>

namespace {

uint32_t Read32(const std::array<uint8_t, kBitmapHeaderBytes>& h, int at) {
    return h[at] | (h[at + 1] << 8) | (h[at + 2] << 16) | (static_cast<uint32_t>(h[at + 3]) << 24);
}

}  // namespace

TEST(BitmapFile, RowsArePaddedToFourBytes) {
    EXPECT_EQ(BitmapRowStride(1280), 3840u);
    EXPECT_EQ(BitmapRowStride(1366), 4100u);
    EXPECT_EQ(BitmapRowStride(1), 4u);
    EXPECT_EQ(BitmapRowStride(152), 456u);
}

TEST(BitmapFile, HeaderDescribesABottomUp24BitPicture) {
    const auto h = BitmapFileHeader(1366, 768);
    EXPECT_EQ(h[0], 'B');
    EXPECT_EQ(h[1], 'M');
    EXPECT_EQ(Read32(h, 2), 54u + 4100u * 768u);
    EXPECT_EQ(Read32(h, 10), 54u);
    EXPECT_EQ(Read32(h, 14), 40u);
    EXPECT_EQ(Read32(h, 18), 1366u);
    EXPECT_EQ(Read32(h, 22), 768u);
    EXPECT_EQ(h[26] | (h[27] << 8), 1);
    EXPECT_EQ(h[28] | (h[29] << 8), 24);
    EXPECT_EQ(Read32(h, 30), 0u);  // uncompressed
    EXPECT_EQ(Read32(h, 34), 4100u * 768u);
    EXPECT_EQ(Read32(h, 46), 0u);  // no colour table
}
