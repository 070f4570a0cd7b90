#pragma once

// What the bitmap decoder's parts share: a bounded byte reader and the layout that the headers
// describe, already checked against the file's size.

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "bitmap/bitmap_reader.h"

namespace dib {

// Reads little-endian fields from a byte range. Every read checks that its bytes are there, so
// no field of any header can lead outside the range.
class ByteReader {
  public:
    ByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::size_t Remaining() const { return size_ - position_; }

    bool Seek(std::uint64_t position) {
        if (position > size_) {
            return false;
        }
        position_ = static_cast<std::size_t>(position);
        return true;
    }

    bool Skip(std::uint64_t count) {
        if (count > Remaining()) {
            return false;
        }
        position_ += static_cast<std::size_t>(count);
        return true;
    }

    // Gives the next count bytes and moves past them, or nullptr when fewer remain.
    const std::uint8_t* Take(std::uint64_t count) {
        const std::uint8_t* start = data_ + position_;
        return Skip(count) ? start : nullptr;
    }

    bool ReadU8(std::uint8_t& value) {
        const std::uint8_t* p = Take(1);
        if (p == nullptr) {
            return false;
        }
        value = p[0];
        return true;
    }

    bool ReadU16(std::uint16_t& value) {
        const std::uint8_t* p = Take(2);
        if (p == nullptr) {
            return false;
        }
        value = static_cast<std::uint16_t>(p[0] | p[1] << 8);
        return true;
    }

    bool ReadU32(std::uint32_t& value) {
        const std::uint8_t* p = Take(4);
        if (p == nullptr) {
            return false;
        }
        value = static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
                static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
        return true;
    }

    bool ReadS32(std::int32_t& value) {
        std::uint32_t raw = 0;
        if (!ReadU32(raw)) {
            return false;
        }
        value = static_cast<std::int32_t>(raw);
        return true;
    }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t position_ = 0;
};

// No desktop is wider or taller than this; larger claims are damaged headers.
constexpr std::int64_t kMaxSide = 32768;
// 64 mega-pixels (for example 8192 x 8192, or 32768 x 2048) make a 192 MB picture, which a
// 32-bit process can still hold. Uncompressed files are further bounded by their own size.
constexpr std::int64_t kMaxPixels = std::int64_t{1} << 26;
// Room for the largest accepted picture at 32 bits per pixel, its headers and colour table.
constexpr std::size_t kMaxFileBytes = static_cast<std::size_t>(kMaxPixels) * 4 + (1 << 20);

// Compression field values of the 40-byte information header.
constexpr std::uint32_t kCompressionNone = 0;       // BI_RGB
constexpr std::uint32_t kCompressionRle8 = 1;       // BI_RLE8
constexpr std::uint32_t kCompressionRle4 = 2;       // BI_RLE4
constexpr std::uint32_t kCompressionBitFields = 3;  // BI_BITFIELDS

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
};

// A picture never has more entries than an 8-bit index can reach; a longer table is skipped.
constexpr std::size_t kMaxPaletteEntries = 256;

// The picture as the headers describe it, with every size already checked against the bounds.
struct DibLayout {
    std::int32_t width = 0;
    std::int32_t height = 0;  // always positive
    bool topDown = false;     // first stored row is the top row
    int bitCount = 0;
    std::uint32_t compression = kCompressionNone;
    std::array<std::uint32_t, 3> masks{};  // red, green, blue for 16- and 32-bit pixels
    std::vector<Rgb> palette;
};

// Each decoder reads the stored pixels that start at the reader's position into image, whose
// size is already set and whose pixels are allocated, and says why they cannot be converted
// (too few bytes, an index past the palette, a run above the picture), or kNone.
BitmapFailure DecodeUncompressedPixels(ByteReader pixels, const DibLayout& layout,
                                       BitmapImage& image);
BitmapFailure DecodeRunLengthPixels(ByteReader pixels, const DibLayout& layout, BitmapImage& image);

}  // namespace dib
