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

// Why the reader gave no picture: one reason for each check that can refuse a file, so that a
// test can tell the checks apart. The user sees only the message each one maps to.
enum class BitmapFailure {
    kNone,               // a picture was made
    kCannotOpen,         // no message: there is no picture to speak of
    kCannotRead,         // "Failed to open DIB file <path>.\n": empty, or a read failed
    kOutOfMemory,        // "Out of memory."
    kUnknownHeader,      // "Unknown DIB file format.": a header size other than 40 or 12
    kFileTooShort,       // the rest are "Image file conversion error.": the file ends before
                         // what its headers promise (fields, masks, table, pixels, end of runs)
    kImpossibleSize,     // a side of 0, larger than any desktop, or too many pixels
    kUnsupportedFormat,  // a bit count and compression it does not convert
    kBadMasks,           // bit-field masks with gaps, or wider than the pixel
    kIndexPastPalette,   // a pixel names a colour the table does not hold
    kRunOutsidePicture,  // a run-length command writes above the top row
};

// The one message the user is shown for a failure, naming path where the message does; empty
// for kNone and kCannotOpen.
std::string BitmapMessage(BitmapFailure failure, const std::string& path);

// A picture, or the reason there is none.
struct BitmapDecodeResult {
    std::optional<BitmapImage> image;
    BitmapFailure failure = BitmapFailure::kNone;
};

// Shows one of the reader's messages to the user; the platform decides how (a message box on
// Windows, a line on stderr on Linux, a recorder in tests).
using BitmapMessageSink = std::function<void(const std::string& text)>;

// Reads the bitmap file at path, opening it once. An empty path or a file that cannot be opened
// gives kCannotOpen silently (where opening failed, errno says why); any other failure shows
// exactly its one message through showMessage.
BitmapDecodeResult ReadBitmapFile(const std::string& path, const BitmapMessageSink& showMessage);

// Decodes a whole bitmap file held in memory (with or without its 14-byte "BM" file header).
// Never reads outside [bytes, bytes + size), whatever the headers claim.
BitmapDecodeResult DecodeBitmap(const std::uint8_t* bytes, std::size_t size);
