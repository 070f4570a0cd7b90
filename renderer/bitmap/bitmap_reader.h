#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// A decoded Windows bitmap: width x height pixels, three bytes each in red, green, blue order,
// rows packed with no padding, bottom row first (as OpenGL expects for t = 0).
struct BitmapImage {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint8_t> pixels;
};

// Shows one of the reader's messages to the user; the platform decides how (a message box on
// Windows, a recorder in tests).
using BitmapMessageSink = std::function<void(const std::string& text)>;

// Reads the bitmap file at path. A missing or unopenable file gives none silently; any other
// failure shows exactly one message through showMessage and gives none.
std::optional<BitmapImage> ReadBitmapFile(const std::string& path,
                                          const BitmapMessageSink& showMessage);

// The outcome of decoding a bitmap's bytes: a picture, or the one message that tells the user
// why there is none ("Unknown DIB file format.", "Image file conversion error." or
// "Out of memory.").
struct BitmapDecodeResult {
    std::optional<BitmapImage> image;
    std::string message;
};

// Decodes a whole bitmap file held in memory (with or without its 14-byte "BM" file header).
// Never reads outside [bytes, bytes + size), whatever the headers claim.
BitmapDecodeResult DecodeBitmap(const std::uint8_t* bytes, std::size_t size);
