// The file side of the bitmap reader: opens the file once, reads all of it, and turns whatever
// went wrong into the one message the user sees.
#include <algorithm>
#include <cstdio>
#include <memory>
#include <new>

#include "bitmap/bitmap_reader.h"
#include "bitmap/dib_layout.h"

namespace {

using FileHandle = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

// The size the system gives for the file, or 0 where it gives none (a pipe). Only a hint: the
// bytes read are what count.
std::size_t SizeHint(std::FILE* file) {
    if (std::fseek(file, 0, SEEK_END) != 0) {
        return 0;
    }
    const long size = std::ftell(file);
    std::fseek(file, 0, SEEK_SET);
    return size > 0 ? static_cast<std::size_t>(size) : 0;
}

// Reading stops at the largest size an accepted picture needs; whatever follows is never used.
// Room for the whole file is made at once: growing the buffer chunk by chunk copied a desktop's
// bytes over and over at every start. An empty file has nothing to read and counts as failed.
bool ReadWholeFile(std::FILE* file, std::vector<std::uint8_t>& bytes) {
    constexpr std::size_t kChunk = 1 << 16;
    bytes.reserve(std::min(SizeHint(file), dib::kMaxFileBytes) + kChunk);
    std::size_t got = 0;
    do {
        const std::size_t used = bytes.size();
        const std::size_t wanted = std::min(kChunk, dib::kMaxFileBytes - used);
        bytes.resize(used + wanted);
        got = std::fread(bytes.data() + used, 1, wanted, file);
        bytes.resize(used + got);
    } while (got == kChunk);
    return std::ferror(file) == 0 && !bytes.empty();
}

// Binary mode: in text mode the Windows run-time would turn CR LF pairs inside the pixels into
// LF and stop at the first 0x1A byte. The empty path never reaches fopen, which some run-times
// treat as a fault in the caller rather than a file that is not there.
BitmapDecodeResult ReadAndDecode(const std::string& path) {
    if (path.empty()) {
        return {std::nullopt, BitmapFailure::kCannotOpen};
    }
    const FileHandle file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file) {
        return {std::nullopt, BitmapFailure::kCannotOpen};
    }
    std::vector<std::uint8_t> bytes;
    try {
        if (!ReadWholeFile(file.get(), bytes)) {
            return {std::nullopt, BitmapFailure::kCannotRead};
        }
    } catch (const std::bad_alloc&) {
        return {std::nullopt, BitmapFailure::kOutOfMemory};
    }
    return DecodeBitmap(bytes.data(), bytes.size());
}

}  // namespace

std::string BitmapMessage(BitmapFailure failure, const std::string& path) {
    switch (failure) {
        case BitmapFailure::kNone:
        case BitmapFailure::kCannotOpen:
            return "";
        case BitmapFailure::kCannotRead:
            return "Failed to open DIB file " + path + ".\n";
        case BitmapFailure::kOutOfMemory:
            return "Out of memory.";
        case BitmapFailure::kUnknownHeader:
            return "Unknown DIB file format.";
        case BitmapFailure::kFileTooShort:
        case BitmapFailure::kImpossibleSize:
        case BitmapFailure::kUnsupportedFormat:
        case BitmapFailure::kBadMasks:
        case BitmapFailure::kIndexPastPalette:
        case BitmapFailure::kRunOutsidePicture:
            break;
    }
    return "Image file conversion error.";
}

BitmapDecodeResult ReadBitmapFile(const std::string& path, const BitmapMessageSink& showMessage) {
    BitmapDecodeResult result = ReadAndDecode(path);
    const std::string message = BitmapMessage(result.failure, path);
    if (!message.empty()) {
        showMessage(message);
    }
    return result;
}
