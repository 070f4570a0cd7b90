#include "shell/desktop_pixels.h"

namespace {

// Channels up to 16 bits wide (every visual in use) get a table of their scaled values.
constexpr unsigned long kWidestTabled = 0xFFFF;

}  // namespace

RgbFromPixel::Channel::Channel(unsigned long mask) : width_(mask) {
    while (width_ != 0 && (width_ & 1) == 0) {
        width_ >>= 1;
        ++shift_;
    }
    if (width_ == 0) {
        scaled_.assign(1, 0);
    } else if (width_ <= kWidestTabled) {
        scaled_.resize(width_ + 1);
        for (unsigned long value = 0; value <= width_; ++value) {
            scaled_[value] = static_cast<std::uint8_t>(value * 255 / width_);
        }
    }
}

RgbFromPixel::RgbFromPixel(const PixelMasks& masks)
    : red_(masks.red), green_(masks.green), blue_(masks.blue) {}

BitmapImage PictureFromPixels32(const std::uint8_t* rows, std::size_t bytesPerLine, int width,
                                int height, int depth, const RgbFromPixel& rgb) {
    const unsigned long valueBits = depth >= 32 ? 0xFFFFFFFFul : (1ul << depth) - 1;
    BitmapImage picture{width, height, {}};
    picture.pixels.resize(static_cast<std::size_t>(width) * height * 3);
    std::uint8_t* out = picture.pixels.data();
    for (int y = height - 1; y >= 0; --y) {
        const std::uint8_t* in = rows + static_cast<std::size_t>(y) * bytesPerLine;
        for (int x = 0; x < width; ++x, in += 4, out += 3) {
            rgb.Write((static_cast<unsigned long>(in[0]) | static_cast<unsigned long>(in[1]) << 8 |
                       static_cast<unsigned long>(in[2]) << 16 |
                       static_cast<unsigned long>(in[3]) << 24) &
                          valueBits,
                      out);
        }
    }
    return picture;
}
