#include "hand_off/snapshot_bitmap.h"

namespace {

void Put16(uint8_t* at, uint32_t value) {
    at[0] = static_cast<uint8_t>(value);
    at[1] = static_cast<uint8_t>(value >> 8);
}

void Put32(uint8_t* at, uint32_t value) {
    Put16(at, value & 0xFFFFu);
    Put16(at + 2, value >> 16);
}

}  // namespace

uint32_t BitmapRowStride(int32_t width) {
    return ((static_cast<uint32_t>(width) * 3u) + 3u) & ~3u;
}

std::array<uint8_t, kBitmapHeaderBytes> BitmapFileHeader(int32_t width, int32_t height) {
    const uint32_t imageBytes = BitmapRowStride(width) * static_cast<uint32_t>(height);
    std::array<uint8_t, kBitmapHeaderBytes> header{};
    uint8_t* h = header.data();
    h[0] = 'B';
    h[1] = 'M';
    Put32(h + 2, kBitmapHeaderBytes + imageBytes);  // file size
    Put32(h + 10, kBitmapHeaderBytes);              // offset of the pixels
    Put32(h + 14, 40);                              // information header size
    Put32(h + 18, static_cast<uint32_t>(width));
    Put32(h + 22, static_cast<uint32_t>(height));  // positive: bottom row first
    Put16(h + 26, 1);                              // planes
    Put16(h + 28, 24);                             // bits per pixel
    Put32(h + 34, imageBytes);
    Put32(h + 38, 3780);  // 96 dots per inch, in dots per metre
    Put32(h + 42, 3780);
    return header;
}
