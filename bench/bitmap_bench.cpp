// How long the renderer's start waits for the desktop snapshot to decode: a full-HD picture in
// the form the screen saver writes (24-bit, bottom-up), and in two other common forms.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "bitmap/bitmap_reader.h"

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

void PutU16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    PutU16(out, value & 0xFFFF);
    PutU16(out, value >> 16);
}

// A bottom-up bitmap with a 40-byte header, a grey ramp palette for 8 bits and varied pixels.
std::vector<std::uint8_t> FullHdBitmap(int bitCount) {
    const std::uint32_t paletteBytes = bitCount == 8 ? 256 * 4 : 0;
    const std::uint32_t stride = (kWidth * bitCount + 31) / 32 * 4;
    const std::uint32_t offset = 14 + 40 + paletteBytes;
    std::vector<std::uint8_t> file = {'B', 'M'};
    PutU32(file, offset + stride * kHeight);
    PutU32(file, 0);
    PutU32(file, offset);
    for (std::uint32_t field : {40u, std::uint32_t{kWidth}, std::uint32_t{kHeight}}) {
        PutU32(file, field);
    }
    PutU16(file, 1);
    PutU16(file, static_cast<std::uint32_t>(bitCount));
    for (int field = 0; field < 6; ++field) {
        PutU32(file, 0);
    }
    for (std::uint32_t i = 0; i < paletteBytes / 4; ++i) {
        PutU32(file, i * 0x010101);
    }
    for (std::uint32_t i = 0; i < stride * kHeight; ++i) {
        file.push_back(static_cast<std::uint8_t>(i * 7 + i / 5));
    }
    return file;
}

void BM_DecodeFullHd(benchmark::State& state) {
    const std::vector<std::uint8_t> file = FullHdBitmap(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        BitmapDecodeResult result = DecodeBitmap(file.data(), file.size());
        benchmark::DoNotOptimize(result.image);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kWidth * kHeight * 3);
}
BENCHMARK(BM_DecodeFullHd)->Arg(24)->Arg(32)->Arg(8)->Unit(benchmark::kMillisecond);

}  // namespace
