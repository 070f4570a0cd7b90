// The file side of the bitmap reader: finds the file, reads all of it, and turns whatever goes
// wrong into the one message the user sees.
#include <algorithm>
#include <cstdio>
#include <memory>
#include <new>
#include <utility>

#include "bitmap/bitmap_reader.h"
#include "bitmap/dib_layout.h"

namespace {

constexpr char kOutOfMemory[] = "Out of memory.";

using FileHandle = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

FileHandle OpenForReading(const std::string& path) {
    return FileHandle(std::fopen(path.c_str(), "rb"), &std::fclose);
}

// Binary mode: in text mode the Windows run-time would turn CR LF pairs inside the pixels into
// LF and stop at the first 0x1A byte. An empty file has nothing to read and counts as failed.
// Reading stops at the largest size an accepted picture needs; whatever follows is never used.
bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes) {
    const FileHandle file = OpenForReading(path);
    if (!file) {
        return false;
    }
    constexpr std::size_t kChunk = 1 << 16;
    std::size_t got = 0;
    do {
        const std::size_t used = bytes.size();
        const std::size_t wanted = std::min(kChunk, dib::kMaxFileBytes - used);
        bytes.resize(used + wanted);
        got = std::fread(bytes.data() + used, 1, wanted, file.get());
        bytes.resize(used + got);
    } while (got == kChunk);
    return std::ferror(file.get()) == 0 && !bytes.empty();
}

std::string FailedToOpenMessage(const std::string& path) {
    return "Failed to open DIB file " + path + ".\n";
}

}  // namespace

std::optional<BitmapImage> ReadBitmapFile(const std::string& path,
                                          const BitmapMessageSink& showMessage) {
    if (path.empty() || !OpenForReading(path)) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes;
    try {
        if (!ReadWholeFile(path, bytes)) {
            showMessage(FailedToOpenMessage(path));
            return std::nullopt;
        }
    } catch (const std::bad_alloc&) {
        showMessage(kOutOfMemory);
        return std::nullopt;
    }
    BitmapDecodeResult result = DecodeBitmap(bytes.data(), bytes.size());
    if (!result.image) {
        showMessage(result.message);
    }
    return std::move(result.image);
}
