// Run-length compressed palette pixels (8 and 4 bits per index), bottom-up only.
//
// The stream is a sequence of two-byte commands: a count n > 0 repeats the next byte's index
// (RLE4: its two nibbles alternately) n times; a count of 0 is an escape: 0 ends the line,
// 1 ends the picture, 2 moves right and up by the next two bytes, and n >= 3 gives n literal
// indexes padded to a whole 16-bit word. Pixels that no command writes keep the colour of
// palette entry 0, the colour the picture was cleared to before it was encoded.
//
// Encoders pad rows: ImageMagick, for one, encodes every stored byte of a padded row, so runs
// may reach past the row's end. Those pixels are dropped, as Windows does. Commands that write
// above the picture's top row are damage and fail the decoding.
#include <algorithm>
#include <cstdint>

#include "bitmap/dib_layout.h"

namespace dib {
namespace {

constexpr std::uint8_t kEndOfLine = 0;
constexpr std::uint8_t kEndOfBitmap = 1;
constexpr std::uint8_t kDelta = 2;

// Where the next decoded index goes. Drops pixels past the row's end; refuses runs above the
// picture and indexes past the palette.
class RleCanvas {
  public:
    RleCanvas(const DibLayout& layout, BitmapImage& image) : layout_(layout), image_(image) {
        FillWithEntryZero();
    }

    bool InPicture() const { return y_ < layout_.height; }

    // Only while InPicture.
    BitmapFailure Put(unsigned index) {
        if (index >= layout_.palette.size()) {
            return BitmapFailure::kIndexPastPalette;
        }
        if (x_ == layout_.width) {
            return BitmapFailure::kNone;
        }
        const Rgb& colour = layout_.palette[index];
        std::uint8_t* out =
            image_.pixels.data() +
            (static_cast<std::size_t>(y_) * static_cast<std::size_t>(layout_.width) + x_) * 3;
        out[0] = colour.red;
        out[1] = colour.green;
        out[2] = colour.blue;
        ++x_;
        return BitmapFailure::kNone;
    }

    BitmapFailure EndLine() {
        x_ = 0;
        ++y_;
        return Placed();
    }

    BitmapFailure Move(std::uint8_t right, std::uint8_t up) {
        x_ = std::min(x_ + right, layout_.width);
        y_ += up;
        return Placed();
    }

  private:
    void FillWithEntryZero() {
        const Rgb& colour = layout_.palette[0];
        for (std::size_t i = 0; i < image_.pixels.size(); i += 3) {
            image_.pixels[i] = colour.red;
            image_.pixels[i + 1] = colour.green;
            image_.pixels[i + 2] = colour.blue;
        }
    }

    // Just above the top row is where a picture that ends with an end of line stands.
    BitmapFailure Placed() const {
        return y_ <= layout_.height ? BitmapFailure::kNone : BitmapFailure::kRunOutsidePicture;
    }

    const DibLayout& layout_;
    BitmapImage& image_;
    std::int32_t x_ = 0;
    std::int32_t y_ = 0;
};

// The i-th index of a run whose indexes are packed in bytes: whole bytes for RLE8, nibbles from
// the high one down for RLE4.
unsigned IndexInRun(const std::uint8_t* packed, std::uint32_t i, int bitCount) {
    if (bitCount == 8) {
        return packed[i];
    }
    const std::uint8_t byte = packed[i / 2];
    return i % 2 == 0 ? byte >> 4 : byte & 0x0F;
}

template <typename IndexAt>
BitmapFailure PutRun(RleCanvas& canvas, std::uint32_t count, IndexAt indexAt) {
    if (!canvas.InPicture()) {
        return BitmapFailure::kRunOutsidePicture;
    }
    for (std::uint32_t i = 0; i < count; ++i) {
        if (const BitmapFailure failure = canvas.Put(indexAt(i)); failure != BitmapFailure::kNone) {
            return failure;
        }
    }
    return BitmapFailure::kNone;
}

BitmapFailure PutRepeatedRun(RleCanvas& canvas, std::uint8_t count, std::uint8_t value,
                             int bitCount) {
    return PutRun(canvas, count, [&](std::uint32_t i) {
        return bitCount == 8 ? value : (i % 2 == 0 ? value >> 4 : value & 0x0F);
    });
}

BitmapFailure PutLiteralRun(ByteReader& in, RleCanvas& canvas, std::uint8_t count, int bitCount) {
    const std::uint32_t bytes = bitCount == 8 ? count : (count + 1u) / 2;
    const std::uint8_t* packed = in.Take(bytes);
    if (packed == nullptr || !in.Skip(bytes % 2)) {
        return BitmapFailure::kFileTooShort;
    }
    return PutRun(canvas, count, [&](std::uint32_t i) { return IndexInRun(packed, i, bitCount); });
}

BitmapFailure RunEscape(ByteReader& in, RleCanvas& canvas, std::uint8_t code, int bitCount) {
    switch (code) {
        case kEndOfLine:
            return canvas.EndLine();
        case kDelta: {
            std::uint8_t right = 0;
            std::uint8_t up = 0;
            if (!in.ReadU8(right) || !in.ReadU8(up)) {
                return BitmapFailure::kFileTooShort;
            }
            return canvas.Move(right, up);
        }
        default:
            return PutLiteralRun(in, canvas, code, bitCount);
    }
}

}  // namespace

// A stream that ends without its end-of-bitmap command is a truncated file.
BitmapFailure DecodeRunLengthPixels(ByteReader in, const DibLayout& layout, BitmapImage& image) {
    RleCanvas canvas(layout, image);
    for (;;) {
        std::uint8_t count = 0;
        std::uint8_t code = 0;
        if (!in.ReadU8(count) || !in.ReadU8(code)) {
            return BitmapFailure::kFileTooShort;
        }
        if (count == 0 && code == kEndOfBitmap) {
            return BitmapFailure::kNone;
        }
        const BitmapFailure failure = count > 0
                                          ? PutRepeatedRun(canvas, count, code, layout.bitCount)
                                          : RunEscape(in, canvas, code, layout.bitCount);
        if (failure != BitmapFailure::kNone) {
            return failure;
        }
    }
}

}  // namespace dib
