// Uncompressed pixels: palette indexes of 1, 4 and 8 bits, 24-bit blue-green-red, and 16- and
// 32-bit pixels split by channel masks. Stored rows are padded to a multiple of 4 bytes.
#include <array>
#include <cstdint>

#include "bitmap/dib_layout.h"

namespace dib {
namespace {

// One colour channel of a 16- or 32-bit pixel: where its bits lie and how they become 8 bits.
class Channel {
  public:
    explicit Channel(std::uint32_t mask) : mask_(mask) {
        if (mask == 0) {
            return;  // an absent channel reads as 0
        }
        while (((mask >> shift_) & 1) == 0) {
            ++shift_;
        }
        while (shift_ + width_ < 32 && ((mask >> (shift_ + width_)) & 1) != 0) {
            ++width_;
        }
        if (width_ <= 8) {
            for (std::uint32_t value = 0; value < (1u << width_); ++value) {
                widened_[value] = Widen(value, width_);
            }
        }
    }

    std::uint8_t Extract(std::uint32_t pixel) const {
        const std::uint32_t value = (pixel & mask_) >> shift_;
        return width_ <= 8 ? widened_[value] : static_cast<std::uint8_t>(value >> (width_ - 8));
    }

  private:
    // Repeats the channel's bits until eight are filled, so that full scale stays full scale:
    // a 5-bit value v becomes (v << 3) | (v >> 2), 31 becomes 255.
    static std::uint8_t Widen(std::uint32_t value, int width) {
        std::uint32_t bits = 0;
        int filled = 0;
        while (filled < 8) {
            bits = bits << width | value;
            filled += width;
        }
        return static_cast<std::uint8_t>(bits >> (filled - 8));
    }

    std::uint32_t mask_;
    int shift_ = 0;
    int width_ = 0;
    std::array<std::uint8_t, 256> widened_{};
};

std::uint64_t StoredRowStride(const DibLayout& layout) {
    return (static_cast<std::uint64_t>(layout.width) * layout.bitCount + 31) / 32 * 4;
}

// Hands each stored row with the output row it belongs to to decodeRow, which is false only
// for an index past the palette. A top-down file is flipped here, so the picture always starts
// with its bottom row as the texture expects.
template <typename RowDecoder>
BitmapFailure DecodeRows(ByteReader& pixels, const DibLayout& layout, BitmapImage& image,
                         RowDecoder decodeRow) {
    const std::uint64_t stride = StoredRowStride(layout);
    const std::uint8_t* stored = pixels.Take(stride * static_cast<std::uint64_t>(layout.height));
    if (stored == nullptr) {
        return BitmapFailure::kFileTooShort;
    }
    const std::size_t outStride = static_cast<std::size_t>(layout.width) * 3;
    for (std::int32_t row = 0; row < layout.height; ++row) {
        const std::int32_t outRow = layout.topDown ? layout.height - 1 - row : row;
        if (!decodeRow(stored + static_cast<std::size_t>(row) * stride,
                       image.pixels.data() + static_cast<std::size_t>(outRow) * outStride)) {
            return BitmapFailure::kIndexPastPalette;
        }
    }
    return BitmapFailure::kNone;
}

// Indexes are packed from the high bits of each byte down. The depth is a template argument
// so that the per-pixel arithmetic folds away.
template <int kBitCount>
bool DecodeIndexedRow(const std::uint8_t* stored, const DibLayout& layout, std::uint8_t* out) {
    constexpr int kPerByte = 8 / kBitCount;
    constexpr unsigned kIndexMask = (1u << kBitCount) - 1;
    for (std::int32_t x = 0; x < layout.width; ++x) {
        const int shift = 8 - kBitCount * (x % kPerByte + 1);
        const unsigned index = (stored[x / kPerByte] >> shift) & kIndexMask;
        if (index >= layout.palette.size()) {
            return false;
        }
        const Rgb& colour = layout.palette[index];
        *out++ = colour.red;
        *out++ = colour.green;
        *out++ = colour.blue;
    }
    return true;
}

bool DecodeBgrRow(const std::uint8_t* stored, const DibLayout& layout, std::uint8_t* out) {
    for (std::int32_t x = 0; x < layout.width; ++x, stored += 3, out += 3) {
        out[0] = stored[2];
        out[1] = stored[1];
        out[2] = stored[0];
    }
    return true;
}

template <int kBytesPerPixel>
BitmapFailure DecodeMaskedRows(ByteReader& pixels, const DibLayout& layout, BitmapImage& image) {
    const Channel red(layout.masks[0]);
    const Channel green(layout.masks[1]);
    const Channel blue(layout.masks[2]);
    return DecodeRows(pixels, layout, image, [&](const std::uint8_t* stored, std::uint8_t* out) {
        for (std::int32_t x = 0; x < layout.width; ++x, stored += kBytesPerPixel, out += 3) {
            std::uint32_t pixel = 0;
            for (int b = kBytesPerPixel - 1; b >= 0; --b) {
                pixel = pixel << 8 | stored[b];
            }
            out[0] = red.Extract(pixel);
            out[1] = green.Extract(pixel);
            out[2] = blue.Extract(pixel);
        }
        return true;
    });
}

template <int kBitCount>
BitmapFailure DecodeIndexedRows(ByteReader& pixels, const DibLayout& layout, BitmapImage& image) {
    return DecodeRows(pixels, layout, image, [&](const std::uint8_t* stored, std::uint8_t* out) {
        return DecodeIndexedRow<kBitCount>(stored, layout, out);
    });
}

}  // namespace

BitmapFailure DecodeUncompressedPixels(ByteReader pixels, const DibLayout& layout,
                                       BitmapImage& image) {
    switch (layout.bitCount) {
        case 1:
            return DecodeIndexedRows<1>(pixels, layout, image);
        case 4:
            return DecodeIndexedRows<4>(pixels, layout, image);
        case 8:
            return DecodeIndexedRows<8>(pixels, layout, image);
        case 24:
            return DecodeRows(pixels, layout, image,
                              [&](const std::uint8_t* stored, std::uint8_t* out) {
                                  return DecodeBgrRow(stored, layout, out);
                              });
        case 16:
            return DecodeMaskedRows<2>(pixels, layout, image);
        case 32:
            return DecodeMaskedRows<4>(pixels, layout, image);
        default:
            return BitmapFailure::kUnsupportedFormat;
    }
}

}  // namespace dib
