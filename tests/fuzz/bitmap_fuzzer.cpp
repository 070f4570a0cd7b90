// Feeds arbitrary bytes to the bitmap decoder. Any outcome is fine as long as it is either a
// picture of the size its headers promise or the reason for none, and nothing is touched out
// of bounds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "bitmap/bitmap_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const BitmapDecodeResult result = DecodeBitmap(data, size);
    if (result.image.has_value() != (result.failure == BitmapFailure::kNone)) {
        std::abort();
    }
    if (result.image) {
        const BitmapImage& image = *result.image;
        const std::size_t expected =
            static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) * 3;
        if (image.width <= 0 || image.height <= 0 || image.pixels.size() != expected) {
            std::abort();
        }
    }
    return 0;
}
