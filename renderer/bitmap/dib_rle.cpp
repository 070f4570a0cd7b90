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
    bool Put(unsigned index) {
        if (index >= layout_.palette.size()) {
            return false;
        }
        if (x_ == layout_.width) {
            return true;
        }
        const Rgb& colour = layout_.palette[index];
        std::uint8_t* out =
            image_.pixels.data() +
            (static_cast<std::size_t>(y_) * static_cast<std::size_t>(layout_.width) + x_) * 3;
        out[0] = colour.red;
        out[1] = colour.green;
        out[2] = colour.blue;
        ++x_;
        return true;
    }

    bool EndLine() {
        x_ = 0;
        ++y_;
        return y_ <= layout_.height;
    }

    bool Move(std::uint8_t right, std::uint8_t up) {
        x_ = std::min(x_ + right, layout_.width);
        y_ += up;
        return y_ <= layout_.height;
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

bool PutRepeatedRun(RleCanvas& canvas, std::uint8_t count, std::uint8_t value, int bitCount) {
    if (!canvas.InPicture()) {
        return false;
    }
    for (std::uint32_t i = 0; i < count; ++i) {
        const unsigned index = bitCount == 8 ? value : (i % 2 == 0 ? value >> 4 : value & 0x0F);
        if (!canvas.Put(index)) {
            return false;
        }
    }
    return true;
}

bool PutLiteralRun(ByteReader& in, RleCanvas& canvas, std::uint8_t count, int bitCount) {
    const std::uint32_t bytes = bitCount == 8 ? count : (count + 1u) / 2;
    const std::uint8_t* packed = in.Take(bytes);
    if (packed == nullptr || !in.Skip(bytes % 2) || !canvas.InPicture()) {
        return false;
    }
    for (std::uint32_t i = 0; i < count; ++i) {
        if (!canvas.Put(IndexInRun(packed, i, bitCount))) {
            return false;
        }
    }
    return true;
}

bool RunEscape(ByteReader& in, RleCanvas& canvas, std::uint8_t code, int bitCount) {
    switch (code) {
        case kEndOfLine:
            return canvas.EndLine();
        case kDelta: {
            std::uint8_t right = 0;
            std::uint8_t up = 0;
            return in.ReadU8(right) && in.ReadU8(up) && canvas.Move(right, up);
        }
        default:
            return PutLiteralRun(in, canvas, code, bitCount);
    }
}

}  // namespace

// A stream that ends without its end-of-bitmap command is a truncated file.
bool DecodeRunLengthPixels(ByteReader in, const DibLayout& layout, BitmapImage& image) {
    RleCanvas canvas(layout, image);
    for (;;) {
        std::uint8_t count = 0;
        std::uint8_t code = 0;
        if (!in.ReadU8(count) || !in.ReadU8(code)) {
            return false;
        }
        if (count == 0 && code == kEndOfBitmap) {
            return true;
        }
        const bool done = count > 0 ? PutRepeatedRun(canvas, count, code, layout.bitCount)
                                    : RunEscape(in, canvas, code, layout.bitCount);
        if (!done) {
            return false;
        }
    }
}

}  // namespace dib
