#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "bitmap/bitmap_reader.h"

// Where a display's pixel value keeps each colour, as its visual's masks say.
struct PixelMasks {
    unsigned long red = 0;
    unsigned long green = 0;
    unsigned long blue = 0;
};

// Turns a display's pixel values into the scene's RGB bytes: each channel's bits, wherever its
// mask puts them and however many there are, scaled to 0..255 (0 for an empty mask). The scale
// is worked out once per channel value, not once per pixel.
class RgbFromPixel {
  public:
    explicit RgbFromPixel(const PixelMasks& masks);

    void Write(unsigned long pixel, std::uint8_t* rgb) const {
        rgb[0] = red_.Of(pixel);
        rgb[1] = green_.Of(pixel);
        rgb[2] = blue_.Of(pixel);
    }

  private:
    class Channel {
      public:
        explicit Channel(unsigned long mask);
        std::uint8_t Of(unsigned long pixel) const {
            const unsigned long value = (pixel >> shift_) & width_;
            return scaled_.empty() ? static_cast<std::uint8_t>(value * 255 / width_)
                                   : scaled_[value];
        }

      private:
        int shift_ = 0;
        unsigned long width_ = 0;
        std::vector<std::uint8_t> scaled_;  // by value; empty for channels wider than 16 bits
    };

    Channel red_;
    Channel green_;
    Channel blue_;
};

// The picture of a top-down image of 32-bit little-endian pixel values whose rows lie
// bytesPerLine apart, as X hands over a 24- or 32-bit display: rows bottom first, as the scene
// takes pictures. A value is its low depth bits, as Xlib reads it: what lies above is padding.
BitmapImage PictureFromPixels32(const std::uint8_t* rows, std::size_t bytesPerLine, int width,
                                int height, int depth, const RgbFromPixel& rgb);
