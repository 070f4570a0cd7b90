#include "hand_off/snapshot_bitmap.h"

#include <vector>

#include <gtest/gtest.h>

#include "bitmap/bitmap_reader.h"

namespace {

uint32_t Read32(const std::array<uint8_t, kBitmapHeaderBytes>& h, int at) {
    return h[at] | (h[at + 1] << 8) | (h[at + 2] << 16) | (static_cast<uint32_t>(h[at + 3]) << 24);
}

// A picture whose every pixel differs from its neighbours, so that a shifted row or a swapped
// channel shows.
uint8_t Channel(int x, int y, int c) {
    return static_cast<uint8_t>(x * 7 + y * 31 + c * 85);
}

// The file as the screen saver writes it: the header, then the canvas rows as the DIB section
// holds them (bottom row first, blue-green-red, padded to four bytes).
std::vector<uint8_t> SnapshotFile(int width, int height) {
    const auto header = BitmapFileHeader(width, height);
    std::vector<uint8_t> file(header.begin(), header.end());
    const uint32_t stride = BitmapRowStride(width);
    for (int row = 0; row < height; ++row) {
        const size_t start = file.size();
        file.resize(start + stride, 0);
        for (int x = 0; x < width; ++x) {
            for (int c = 0; c < 3; ++c) {
                file[start + x * 3 + c] = Channel(x, row, 2 - c);
            }
        }
    }
    return file;
}

}  // namespace

TEST(SnapshotBitmap, RowsArePaddedToFourBytes) {
    EXPECT_EQ(BitmapRowStride(1280), 3840u);
    EXPECT_EQ(BitmapRowStride(1366), 4100u);
    EXPECT_EQ(BitmapRowStride(1), 4u);
    EXPECT_EQ(BitmapRowStride(152), 456u);
}

TEST(SnapshotBitmap, HeaderDescribesABottomUp24BitPicture) {
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

TEST(SnapshotBitmap, TheRenderersReaderDecodesTheSaversFileToTheSamePixels) {
    for (const auto& [width, height] : {std::pair{1, 1}, {2, 3}, {3, 2}, {5, 4}, {1366, 2}}) {
        const std::vector<uint8_t> file = SnapshotFile(width, height);
        const BitmapDecodeResult result = DecodeBitmap(file.data(), file.size());
        ASSERT_TRUE(result.image) << width << "x" << height << ": "
                                  << static_cast<int>(result.failure);
        ASSERT_EQ(result.image->width, width);
        ASSERT_EQ(result.image->height, height);
        const std::vector<uint8_t>& pixels = result.image->pixels;
        ASSERT_EQ(pixels.size(), static_cast<size_t>(width) * height * 3);
        for (int row = 0; row < height; ++row) {
            for (int x = 0; x < width; ++x) {
                for (int c = 0; c < 3; ++c) {
                    ASSERT_EQ(pixels[(row * width + x) * 3 + c], Channel(x, row, c))
                        << width << "x" << height << " at " << x << "," << row;
                }
            }
        }
    }
}
