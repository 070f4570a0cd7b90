#include "shell/picture_file.h"

#include <cerrno>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <utility>
#include <vector>

#include "shell/messages.h"
#include "shell/portable_pixmap.h"

namespace {

// The largest pixmap a picture of 2^26 pixels at two bytes a sample makes, with its header.
constexpr std::streamoff kLargestPixmapFile = (std::streamoff{1} << 26) * 6 + 4096;

std::optional<BitmapImage> ReadPixmap(std::ifstream& file, const std::string& path) {
    file.seekg(0, std::ios::end);
    const std::streamoff size = file.tellg();
    if (size > kLargestPixmapFile) {
        Fail(path + ": too large for a desktop picture");
        return std::nullopt;
    }
    file.seekg(0);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    file.read(reinterpret_cast<char*>(bytes.data()), size);
    if (file.gcount() != size) {
        Fail(path + ": " + ErrorText(EIO));
        return std::nullopt;
    }
    PixmapDecodeResult picture = DecodePortablePixmap(bytes.data(), bytes.size());
    if (!picture.image) {
        Fail(path + ": " + picture.error);
    }
    return std::move(picture.image);
}

// The bitmap reader is silent about a file it cannot open; here that is a failure to name, with
// the reason opening it gave. Any other failure is the reader's own message.
std::optional<BitmapImage> ReadBitmap(const std::string& path) {
    BitmapDecodeResult picture =
        ReadBitmapFile(path, [&path](const std::string& text) { Fail(path + ": " + text); });
    if (picture.failure == BitmapFailure::kCannotOpen) {
        Fail(path + ": " + ErrorText(errno));
    }
    return std::move(picture.image);
}

}  // namespace

std::optional<BitmapImage> ReadPictureFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::uint8_t magic[2] = {};
    if (file.read(reinterpret_cast<char*>(magic), sizeof magic) &&
        LooksLikePortablePixmap(magic, sizeof magic)) {
        return ReadPixmap(file, path);
    }
    return ReadBitmap(path);
}
