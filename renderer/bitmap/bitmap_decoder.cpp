// Reads the headers of a Windows bitmap, checks every field against the file's size and the
// picture bounds, and hands the stored pixels to the decoder for their format.
#include <cstddef>
#include <cstdint>
#include <new>
#include <utility>

#include "bitmap/bitmap_reader.h"
#include "bitmap/dib_layout.h"

namespace {

using dib::ByteReader;
using dib::DibLayout;

constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kCoreHeaderSize = 12;

enum class HeaderKind { kInfo, kCore, kUnknown };

bool StartsWithFileHeader(const std::uint8_t* bytes, std::size_t size) {
    return size >= 2 && bytes[0] == 'B' && bytes[1] == 'M';
}

// The 14-byte file header: "BM", file size, two reserved words, offset of the pixels from the
// start of the file. Only the offset matters; the size field is often wrong in the wild.
bool ReadFileHeader(ByteReader& in, std::uint32_t& pixelOffset) {
    return in.Skip(10) && in.ReadU32(pixelOffset);
}

bool PeekHeaderSize(ByteReader in, std::uint32_t& headerSize) {
    return in.ReadU32(headerSize);
}

HeaderKind KindOfHeader(std::uint32_t headerSize) {
    switch (headerSize) {
        case kInfoHeaderSize:
            return HeaderKind::kInfo;
        case kCoreHeaderSize:
            return HeaderKind::kCore;
        default:
            return HeaderKind::kUnknown;
    }
}

// A negative height marks a top-down picture; the layout keeps the height positive.
bool SetSize(std::int64_t width, std::int64_t height, DibLayout& layout) {
    const bool topDown = height < 0;
    const std::int64_t rows = topDown ? -height : height;
    if (width < 1 || width > dib::kMaxSide || rows < 1 || rows > dib::kMaxSide ||
        width * rows > dib::kMaxPixels) {
        return false;
    }
    layout.width = static_cast<std::int32_t>(width);
    layout.height = static_cast<std::int32_t>(rows);
    layout.topDown = topDown;
    return true;
}

std::uint64_t DefaultPaletteLength(int bitCount) {
    switch (bitCount) {
        case 1:
            return 2;
        case 4:
            return 16;
        case 8:
            return 256;
        default:
            return 0;
    }
}

// The 40-byte information header. Gives the colour-table length through paletteLength.
BitmapFailure ReadInfoHeader(ByteReader& in, DibLayout& layout, std::uint64_t& paletteLength) {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t bitCount = 0;
    std::uint32_t colorsUsed = 0;
    if (!(in.Skip(4) && in.ReadS32(width) && in.ReadS32(height) && in.Skip(2) &&
          in.ReadU16(bitCount) && in.ReadU32(layout.compression) && in.Skip(12) &&
          in.ReadU32(colorsUsed) && in.Skip(4))) {
        return BitmapFailure::kFileTooShort;
    }
    if (!SetSize(width, height, layout)) {
        return BitmapFailure::kImpossibleSize;
    }
    layout.bitCount = bitCount;
    paletteLength = colorsUsed != 0 ? colorsUsed : DefaultPaletteLength(bitCount);
    return BitmapFailure::kNone;
}

// The 12-byte core header of the first bitmap version: 16-bit unsigned sizes, no compression.
BitmapFailure ReadCoreHeader(ByteReader& in, DibLayout& layout, std::uint64_t& paletteLength) {
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::uint16_t bitCount = 0;
    if (!(in.Skip(4) && in.ReadU16(width) && in.ReadU16(height) && in.Skip(2) &&
          in.ReadU16(bitCount))) {
        return BitmapFailure::kFileTooShort;
    }
    if (!SetSize(width, height, layout)) {
        return BitmapFailure::kImpossibleSize;
    }
    layout.bitCount = bitCount;
    layout.compression = dib::kCompressionNone;
    paletteLength = DefaultPaletteLength(bitCount);
    return BitmapFailure::kNone;
}

bool IsContiguous(std::uint32_t mask) {
    if (mask == 0) {
        return true;
    }
    while ((mask & 1) == 0) {
        mask >>= 1;
    }
    return (mask & (mask + 1)) == 0;
}

bool MasksFit(const DibLayout& layout) {
    const std::uint64_t pixelRange = (std::uint64_t{1} << layout.bitCount) - 1;
    for (std::uint32_t mask : layout.masks) {
        if (mask > pixelRange || !IsContiguous(mask)) {
            return false;
        }
    }
    return true;
}

// Bit-field masks follow the information header; without them 16-bit pixels are 5-5-5 and
// 32-bit pixels are 8-8-8 with an unused top byte.
BitmapFailure ReadMasks(ByteReader& in, DibLayout& layout) {
    if (layout.compression == dib::kCompressionBitFields) {
        if (!(in.ReadU32(layout.masks[0]) && in.ReadU32(layout.masks[1]) &&
              in.ReadU32(layout.masks[2]))) {
            return BitmapFailure::kFileTooShort;
        }
        return MasksFit(layout) ? BitmapFailure::kNone : BitmapFailure::kBadMasks;
    }
    if (layout.bitCount == 16) {
        layout.masks = {0x7C00, 0x03E0, 0x001F};
    } else if (layout.bitCount == 32) {
        layout.masks = {0x00FF0000, 0x0000FF00, 0x000000FF};
    }
    return BitmapFailure::kNone;
}

// The whole table must lie inside the file, even the entries no index can reach.
bool ReadColourTable(ByteReader& in, std::uint64_t length, std::uint64_t entrySize,
                     DibLayout& layout) {
    const std::uint8_t* table = in.Take(length * entrySize);
    if (table == nullptr) {
        return false;
    }
    const std::uint64_t kept = length < dib::kMaxPaletteEntries ? length : dib::kMaxPaletteEntries;
    layout.palette.resize(static_cast<std::size_t>(kept));
    for (std::size_t i = 0; i < layout.palette.size(); ++i) {
        const std::uint8_t* entry = table + i * entrySize;
        layout.palette[i] = dib::Rgb{entry[2], entry[1], entry[0]};
    }
    return true;
}

bool IsPaletteDepth(int bitCount) {
    return bitCount == 1 || bitCount == 4 || bitCount == 8;
}

bool IsSupportedFormat(const DibLayout& layout) {
    switch (layout.compression) {
        case dib::kCompressionNone:
            return IsPaletteDepth(layout.bitCount) || layout.bitCount == 16 ||
                   layout.bitCount == 24 || layout.bitCount == 32;
        case dib::kCompressionBitFields:
            return layout.bitCount == 16 || layout.bitCount == 32;
        // Run-length pictures are bottom-up by definition.
        case dib::kCompressionRle8:
            return layout.bitCount == 8 && !layout.topDown;
        case dib::kCompressionRle4:
            return layout.bitCount == 4 && !layout.topDown;
        default:
            return false;
    }
}

// The information or core header, the masks and the colour table, in the order they are
// stored. The format is checked before the masks, whose check shifts by the bit count.
BitmapFailure ReadDibHeaders(ByteReader& in, HeaderKind kind, DibLayout& layout) {
    std::uint64_t paletteLength = 0;
    const BitmapFailure header = kind == HeaderKind::kInfo
                                     ? ReadInfoHeader(in, layout, paletteLength)
                                     : ReadCoreHeader(in, layout, paletteLength);
    if (header != BitmapFailure::kNone) {
        return header;
    }
    if (!IsSupportedFormat(layout)) {
        return BitmapFailure::kUnsupportedFormat;
    }
    if (const BitmapFailure masks = ReadMasks(in, layout); masks != BitmapFailure::kNone) {
        return masks;
    }
    const std::uint64_t entrySize = kind == HeaderKind::kInfo ? 4 : 3;
    if (!ReadColourTable(in, paletteLength, entrySize, layout)) {
        return BitmapFailure::kFileTooShort;
    }
    return BitmapFailure::kNone;
}

bool IsRunLength(const DibLayout& layout) {
    return layout.compression == dib::kCompressionRle8 ||
           layout.compression == dib::kCompressionRle4;
}

BitmapDecodeResult DecodePixels(ByteReader pixels, const DibLayout& layout) {
    BitmapImage image;
    image.width = layout.width;
    image.height = layout.height;
    image.pixels.resize(static_cast<std::size_t>(layout.width) *
                        static_cast<std::size_t>(layout.height) * 3);
    const BitmapFailure failure = IsRunLength(layout)
                                      ? dib::DecodeRunLengthPixels(pixels, layout, image)
                                      : dib::DecodeUncompressedPixels(pixels, layout, image);
    if (failure != BitmapFailure::kNone) {
        return {std::nullopt, failure};
    }
    return {std::move(image), BitmapFailure::kNone};
}

BitmapDecodeResult DecodeOrRefuse(const std::uint8_t* bytes, std::size_t size) {
    ByteReader in(bytes, size);
    const bool hasFileHeader = StartsWithFileHeader(bytes, size);
    std::uint32_t fileHeaderPixelOffset = 0;
    std::uint32_t headerSize = 0;
    if ((hasFileHeader && !ReadFileHeader(in, fileHeaderPixelOffset)) ||
        !PeekHeaderSize(in, headerSize)) {
        return {std::nullopt, BitmapFailure::kFileTooShort};
    }
    const HeaderKind kind = KindOfHeader(headerSize);
    if (kind == HeaderKind::kUnknown) {
        return {std::nullopt, BitmapFailure::kUnknownHeader};
    }
    DibLayout layout;
    if (const BitmapFailure failure = ReadDibHeaders(in, kind, layout);
        failure != BitmapFailure::kNone) {
        return {std::nullopt, failure};
    }
    // With a file header its offset places the pixels; without one they follow the table.
    if (hasFileHeader && !in.Seek(fileHeaderPixelOffset)) {
        return {std::nullopt, BitmapFailure::kFileTooShort};
    }
    return DecodePixels(in, layout);
}

}  // namespace

BitmapDecodeResult DecodeBitmap(const std::uint8_t* bytes, std::size_t size) {
    try {
        return DecodeOrRefuse(bytes, size);
    } catch (const std::bad_alloc&) {
        return {std::nullopt, BitmapFailure::kOutOfMemory};
    }
}
