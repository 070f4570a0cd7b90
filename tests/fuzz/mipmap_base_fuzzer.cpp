// Scales pictures of arbitrary sizes to the texture's first level under arbitrary texture
// limits: the input's first six bytes are the width, the height and the limit (16 bits each,
// little-endian), the rest the pixels, repeated to fill the picture. Sides stay at most 4096 and
// pictures at most a quarter of a million pixels: far inside the fuzzer's memory limit, and
// quick enough for many sizes a second. A desktop's boxes come back at a quarter of its size and
// a quarter of its limit. Whatever the sizes, the scaled picture has the size GLU would build
// and every byte of it; how close it is to GLU's own is the unit tests' question.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>

#include "fuzz_input.h"
#include "texture/mipmap_base.h"

namespace {

constexpr std::size_t kHeaderBytes = 6;
constexpr int kLongestSide = 4096;
constexpr int kMostPixels = 1 << 18;
constexpr int kLargestLimit = 16384;

int Word(const std::uint8_t* bytes) {
    return bytes[0] | bytes[1] << 8;
}

BitmapImage PictureOf(const std::uint8_t* data, std::size_t size) {
    const int width = 1 + Word(data) % kLongestSide;
    const int height = 1 + Word(data + 2) % std::min(kLongestSide, kMostPixels / width);
    BitmapImage picture{width, height, {}};
    picture.pixels.resize(static_cast<std::size_t>(width) * height * 3);
    const std::size_t given = size - kHeaderBytes;
    for (std::size_t filled = 0; given > 0 && filled < picture.pixels.size(); filled += given) {
        std::memcpy(picture.pixels.data() + filled, data + kHeaderBytes,
                    std::min(given, picture.pixels.size() - filled));
    }
    return picture;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < kHeaderBytes) {
        return 0;
    }
    const BitmapImage picture = PictureOf(data, size);
    const int limit = Word(data + 4) % (kLargestLimit + 1);
    // A driver that takes every texture up to the limit's side.
    const auto fits = [limit](PictureSize levelOne) {
        return levelOne.width <= limit / 2 && levelOne.height <= limit / 2;
    };
    const PictureSize firstLevel = MipmapBaseSize(picture.width, picture.height, fits, limit);
    const std::optional<BitmapImage> scaled = ScaleToMipmapBase(picture, firstLevel);
    if (!scaled) {
        Require(firstLevel == PictureSize{picture.width, picture.height},
                "only a picture of the first level's size is left as it is");
        return 0;
    }
    Require(scaled->width == firstLevel.width && scaled->height == firstLevel.height,
            "the scaled picture has the first level's size");
    Require(
        scaled->pixels.size() == static_cast<std::size_t>(firstLevel.width) * firstLevel.height * 3,
        "the scaled picture has a pixel for every place");
    return 0;
}
