// Feeds arbitrary bytes to the portable pixmap reader, as grim or a user's picture file may hand
// them over. Either a picture of the size its header promises comes out, or the reason for none,
// and nothing is touched out of bounds.
#include <cstddef>
#include <cstdint>

#include "fuzz_input.h"
#include "shell/portable_pixmap.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const PixmapDecodeResult result = DecodePortablePixmap(data, size);
    Require(result.image.has_value() == result.error.empty(), "a picture, or why there is none");
    if (result.image) {
        const BitmapImage& image = *result.image;
        Require(image.width > 0 && image.height > 0 &&
                    image.pixels.size() == static_cast<std::size_t>(image.width) *
                                               static_cast<std::size_t>(image.height) * 3,
                "a picture has a pixel for every place");
    }
    return 0;
}
