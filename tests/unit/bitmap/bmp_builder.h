#pragma once

// Builds small Windows bitmap files in memory, field by field, so that each test states the
// header values it cares about and can damage any of them.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "bitmap/bitmap_reader.h"

namespace bmp_test {

constexpr std::uint32_t kRgb = 0;
constexpr std::uint32_t kRle8 = 1;
constexpr std::uint32_t kRle4 = 2;
constexpr std::uint32_t kBitFields = 3;

struct BmpSpec {
    std::int32_t width = 1;
    std::int32_t height = 1;  // negative: stored top row first
    std::uint16_t bitCount = 24;
    std::uint32_t compression = kRgb;
    std::uint32_t headerSize = 40;  // 12 writes a core header; others a 40-byte body, padded
    bool fileHeader = true;
    std::uint32_t colorsUsed = 0;
    std::vector<std::uint32_t> palette;        // 0xRRGGBB entries
    std::vector<std::uint32_t> masks;          // written right after the information header
    std::vector<std::uint8_t> pixels;          // the stored pixel bytes
    std::optional<std::uint32_t> pixelOffset;  // overrides the file header's true offset
};

std::vector<std::uint8_t> BuildBmp(const BmpSpec& spec);

// One stored value per pixel: a palette index, 0xRRGGBB for 24 bits, the raw 16- or 32-bit
// pixel otherwise. storedRow counts rows in file order.
using StoredValue = std::function<std::uint32_t(int x, int storedRow)>;

// Uncompressed rows, each padded to a multiple of 4 bytes.
std::vector<std::uint8_t> PackRows(int width, int rows, int bitCount, const StoredValue& value);

// Run-length rows (bitCount 8 or 4), each stretch of equal neighbours one repeated run, each row
// closed by an end-of-line and the picture by an end-of-bitmap. Literal runs are written by hand
// where a test needs them.
std::vector<std::uint8_t> EncodeRle(int width, int rows, int bitCount, const StoredValue& value);

BitmapDecodeResult Decode(const std::vector<std::uint8_t>& file);

// No picture, for exactly this reason.
::testing::AssertionResult RefusedFor(const BitmapDecodeResult& result, BitmapFailure reason);

// Compares a decoded picture with the expected colours (0xRRGGBB, bottom row first) and
// names the first differing pixel.
::testing::AssertionResult HasPixels(const BitmapImage& image, int width, int height,
                                     const std::function<std::uint32_t(int x, int y)>& colour);

}  // namespace bmp_test
