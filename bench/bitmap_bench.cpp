// How long the renderer's start waits for the desktop snapshot to decode: a full-HD picture in
// the form the screen saver writes (24-bit, bottom-up), and in two other common forms.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "bitmap/bitmap_reader.h"
#include "bmp_builder.h"

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

// A bottom-up bitmap with a 40-byte header, a grey ramp palette for 8 bits and varied pixels.
std::vector<std::uint8_t> FullHdBitmap(int bitCount) {
    bmp_test::BmpSpec spec;
    spec.width = kWidth;
    spec.height = kHeight;
    spec.bitCount = static_cast<std::uint16_t>(bitCount);
    if (bitCount == 8) {
        for (std::uint32_t i = 0; i < 256; ++i) {
            spec.palette.push_back(i * 0x010101);
        }
    }
    const std::uint32_t bits = bitCount == 32 ? 0xFFFFFFFFu : (1u << bitCount) - 1;
    spec.pixels = bmp_test::PackRows(kWidth, kHeight, bitCount, [bits](int x, int row) {
        return (static_cast<std::uint32_t>(x) * 2654435761u +
                static_cast<std::uint32_t>(row) * 40503u) &
               bits;
    });
    return bmp_test::BuildBmp(spec);
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
