#pragma once

#include <array>
#include <cstdint>

// Layout of the snapshot file: an uncompressed 24-bit Windows bitmap with the 40-byte
// information header, bottom row first, rows padded to four bytes. Every bitmap reader
// accepts this form, the renderer's included.
constexpr int kBitmapHeaderBytes = 54;

// Bytes in one stored row of a 24-bit picture of the given width.
uint32_t BitmapRowStride(int32_t width);

// The file header and information header for a bottom-up 24-bit picture; the pixel rows
// follow directly.
std::array<uint8_t, kBitmapHeaderBytes> BitmapFileHeader(int32_t width, int32_t height);
