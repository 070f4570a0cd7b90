#include "bmp_builder.h"

#include <cstdio>

namespace bmp_test {
namespace {

void PutU16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    PutU16(out, value & 0xFFFF);
    PutU16(out, value >> 16);
}

std::vector<std::uint8_t> InfoHeader(const BmpSpec& spec) {
    std::vector<std::uint8_t> header;
    PutU32(header, spec.headerSize);
    if (spec.headerSize == 12) {
        PutU16(header, static_cast<std::uint32_t>(spec.width));
        PutU16(header, static_cast<std::uint32_t>(spec.height));
        PutU16(header, 1);
        PutU16(header, spec.bitCount);
        return header;
    }
    PutU32(header, static_cast<std::uint32_t>(spec.width));
    PutU32(header, static_cast<std::uint32_t>(spec.height));
    PutU16(header, 1);
    PutU16(header, spec.bitCount);
    PutU32(header, spec.compression);
    PutU32(header, static_cast<std::uint32_t>(spec.pixels.size()));
    PutU32(header, 2835);  // 72 dpi
    PutU32(header, 2835);
    PutU32(header, spec.colorsUsed);
    PutU32(header, 0);
    // Later header versions add fields after these; absurd sizes get no padding.
    if (spec.headerSize > 40 && spec.headerSize <= 1024) {
        header.resize(spec.headerSize, 0);
    }
    return header;
}

std::vector<std::uint8_t> ColourTable(const BmpSpec& spec) {
    std::vector<std::uint8_t> table;
    for (std::uint32_t rgb : spec.palette) {
        table.push_back(static_cast<std::uint8_t>(rgb));
        table.push_back(static_cast<std::uint8_t>(rgb >> 8));
        table.push_back(static_cast<std::uint8_t>(rgb >> 16));
        if (spec.headerSize != 12) {
            table.push_back(0);
        }
    }
    return table;
}

void Append(std::vector<std::uint8_t>& out, const std::vector<std::uint8_t>& part) {
    out.insert(out.end(), part.begin(), part.end());
}

void PutRepeatedRun(std::vector<std::uint8_t>& out, std::size_t count, std::uint32_t index,
                    int bitCount) {
    out.push_back(static_cast<std::uint8_t>(count));
    out.push_back(static_cast<std::uint8_t>(bitCount == 8 ? index : index << 4 | index));
}

void EncodeRleRow(std::vector<std::uint8_t>& out, const std::vector<std::uint32_t>& row,
                  int bitCount) {
    for (std::size_t x = 0; x < row.size();) {
        std::size_t same = 1;
        while (x + same < row.size() && row[x + same] == row[x] && same < 255) {
            ++same;
        }
        PutRepeatedRun(out, same, row[x], bitCount);
        x += same;
    }
}

std::string Hex(std::uint32_t rgb) {
    char text[16];
    std::snprintf(text, sizeof text, "%06X", static_cast<unsigned>(rgb));
    return text;
}

}  // namespace

std::vector<std::uint8_t> BuildBmp(const BmpSpec& spec) {
    std::vector<std::uint8_t> dib = InfoHeader(spec);
    for (std::uint32_t mask : spec.masks) {
        PutU32(dib, mask);
    }
    Append(dib, ColourTable(spec));
    std::vector<std::uint8_t> file;
    if (spec.fileHeader) {
        const std::uint32_t offset = static_cast<std::uint32_t>(14 + dib.size());
        file = {'B', 'M'};
        PutU32(file, static_cast<std::uint32_t>(14 + dib.size() + spec.pixels.size()));
        PutU32(file, 0);
        PutU32(file, spec.pixelOffset.value_or(offset));
    }
    Append(file, dib);
    Append(file, spec.pixels);
    return file;
}

std::vector<std::uint8_t> PackRows(int width, int rows, int bitCount, const StoredValue& value) {
    const std::size_t stride = (static_cast<std::size_t>(width) * bitCount + 31) / 32 * 4;
    std::vector<std::uint8_t> out;
    for (int row = 0; row < rows; ++row) {
        std::vector<std::uint8_t> stored(stride, 0);
        for (int x = 0; x < width; ++x) {
            const std::uint32_t v = value(x, row);
            if (bitCount < 8) {
                const int bit = x * bitCount;
                stored[bit / 8] |= static_cast<std::uint8_t>(v << (8 - bitCount - bit % 8));
            } else if (bitCount == 24) {
                stored[x * 3] = static_cast<std::uint8_t>(v);
                stored[x * 3 + 1] = static_cast<std::uint8_t>(v >> 8);
                stored[x * 3 + 2] = static_cast<std::uint8_t>(v >> 16);
            } else {
                for (int b = 0; b < bitCount / 8; ++b) {
                    stored[x * (bitCount / 8) + b] = static_cast<std::uint8_t>(v >> (8 * b));
                }
            }
        }
        Append(out, stored);
    }
    return out;
}

std::vector<std::uint8_t> EncodeRle(int width, int rows, int bitCount, const StoredValue& value) {
    std::vector<std::uint8_t> out;
    for (int row = 0; row < rows; ++row) {
        std::vector<std::uint32_t> indexes;
        for (int x = 0; x < width; ++x) {
            indexes.push_back(value(x, row));
        }
        EncodeRleRow(out, indexes, bitCount);
        out.insert(out.end(), {0, 0});
    }
    out.insert(out.end(), {0, 1});
    return out;
}

BitmapDecodeResult Decode(const std::vector<std::uint8_t>& file) {
    return DecodeBitmap(file.data(), file.size());
}

::testing::AssertionResult RefusedFor(const BitmapDecodeResult& result, BitmapFailure reason) {
    if (result.image || result.failure != reason) {
        return ::testing::AssertionFailure()
               << (result.image ? "gave a picture" : "refused") << " for reason "
               << static_cast<int>(result.failure) << ", expected " << static_cast<int>(reason);
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult HasPixels(const BitmapImage& image, int width, int height,
                                     const std::function<std::uint32_t(int x, int y)>& colour) {
    if (image.width != width || image.height != height ||
        image.pixels.size() != static_cast<std::size_t>(width) * height * 3) {
        return ::testing::AssertionFailure()
               << "picture is " << image.width << "x" << image.height << " with "
               << image.pixels.size() << " bytes, expected " << width << "x" << height;
    }
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint8_t* p = &image.pixels[(static_cast<std::size_t>(y) * width + x) * 3];
            const std::uint32_t got = static_cast<std::uint32_t>(p[0]) << 16 | p[1] << 8 | p[2];
            if (got != colour(x, y)) {
                return ::testing::AssertionFailure()
                       << "pixel (" << x << ", " << y << ") is " << Hex(got) << ", expected "
                       << Hex(colour(x, y));
            }
        }
    }
    return ::testing::AssertionSuccess();
}

}  // namespace bmp_test
