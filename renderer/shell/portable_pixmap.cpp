#include "shell/portable_pixmap.h"

#include <cctype>
#include <cstddef>

namespace {

constexpr long kLargestSide = 32768;
constexpr long kMostPixels = 1L << 26;
constexpr long kLargestSample = 65535;

// Reads the header's numbers one by one: whitespace and comments ("#" to the end of the line)
// between them, nothing but digits in them.
class HeaderReader {
  public:
    HeaderReader(const std::uint8_t* bytes, std::size_t size) : bytes_(bytes), size_(size) {}

    std::optional<long> Number(long largest) {
        SkipSpaceAndComments();
        long value = 0;
        const std::size_t start = at_;
        while (at_ < size_ && std::isdigit(bytes_[at_])) {
            value = value * 10 + (bytes_[at_++] - '0');
            if (value > largest) {
                return std::nullopt;
            }
        }
        return at_ > start ? std::optional<long>(value) : std::nullopt;
    }

    // The one whitespace character between the header and the pixels.
    bool EndOfHeader() {
        if (at_ < size_ && std::isspace(bytes_[at_])) {
            ++at_;
            return true;
        }
        return false;
    }

    void Skip(std::size_t count) { at_ += count; }
    std::size_t Offset() const { return at_; }

  private:
    void SkipSpaceAndComments() {
        while (at_ < size_ && (std::isspace(bytes_[at_]) || bytes_[at_] == '#')) {
            if (bytes_[at_] == '#') {
                while (at_ < size_ && bytes_[at_] != '\n') {
                    ++at_;
                }
            } else {
                ++at_;
            }
        }
    }

    const std::uint8_t* bytes_;
    std::size_t size_;
    std::size_t at_ = 0;
};

PixmapDecodeResult Refused(const std::string& why) {
    return {std::nullopt, why};
}

// Each sample scaled from 0..largest to 0..255, rounded to the nearest.
std::uint8_t Scaled(long sample, long largest) {
    return static_cast<std::uint8_t>((sample * 255 + largest / 2) / largest);
}

BitmapImage Pixels(const std::uint8_t* samples, long width, long height, long largest) {
    const std::size_t bytesPerSample = largest > 255 ? 2 : 1;
    const std::size_t rowSamples = static_cast<std::size_t>(width) * 3;
    BitmapImage picture{static_cast<std::int32_t>(width), static_cast<std::int32_t>(height), {}};
    picture.pixels.resize(rowSamples * static_cast<std::size_t>(height));
    for (long row = 0; row < height; ++row) {
        const std::uint8_t* in =
            samples + static_cast<std::size_t>(row) * rowSamples * bytesPerSample;
        std::uint8_t* out =
            picture.pixels.data() + static_cast<std::size_t>(height - 1 - row) * rowSamples;
        for (std::size_t i = 0; i < rowSamples; ++i, in += bytesPerSample) {
            const long sample = bytesPerSample == 2 ? (in[0] << 8 | in[1]) : in[0];
            out[i] = largest == 255 ? static_cast<std::uint8_t>(sample) : Scaled(sample, largest);
        }
    }
    return picture;
}

}  // namespace

bool LooksLikePortablePixmap(const std::uint8_t* bytes, std::size_t size) {
    return size >= 2 && bytes[0] == 'P' && bytes[1] == '6';
}

PixmapDecodeResult DecodePortablePixmap(const std::uint8_t* bytes, std::size_t size) {
    if (!LooksLikePortablePixmap(bytes, size)) {
        return Refused("not a binary portable pixmap (P6)");
    }
    HeaderReader header(bytes, size);
    header.Skip(2);
    const std::optional<long> width = header.Number(kLargestSide);
    const std::optional<long> height = header.Number(kLargestSide);
    const std::optional<long> largest = header.Number(kLargestSample);
    if (!width || !height || !largest || !header.EndOfHeader()) {
        return Refused("a damaged portable pixmap header, or a side past 32768");
    }
    if (*width == 0 || *height == 0 || *largest == 0 || *width * *height > kMostPixels) {
        return Refused("a portable pixmap of no pixels, no colours or too many pixels");
    }
    const std::size_t bytesPerSample = *largest > 255 ? 2 : 1;
    const std::size_t needed =
        static_cast<std::size_t>(*width) * static_cast<std::size_t>(*height) * 3 * bytesPerSample;
    if (size - header.Offset() < needed) {
        return Refused("the portable pixmap ends before its pixels do");
    }
    return {Pixels(bytes + header.Offset(), *width, *height, *largest), ""};
}
