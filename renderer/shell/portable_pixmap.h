#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "bitmap/bitmap_reader.h"

// A binary portable pixmap ("P6"), the form in which grim hands over the photograph of a
// Wayland output: a text header of width, height and the largest sample value, then the pixels,
// top row first, each sample one byte (or two, most significant first, past 255).

// The picture, rows bottom first as the scene takes them, or why there is none (in words fit to
// follow the file's name).
struct PixmapDecodeResult {
    std::optional<BitmapImage> image;
    std::string error;
};

// Never reads outside [bytes, bytes + size), and makes room only for a picture of sides up to
// 32768 and at most 2^26 pixels, as the bitmap reader does, and only once the bytes are there.
PixmapDecodeResult DecodePortablePixmap(const std::uint8_t* bytes, std::size_t size);

// Whether BYTES begin as a binary portable pixmap does.
bool LooksLikePortablePixmap(const std::uint8_t* bytes, std::size_t size);
