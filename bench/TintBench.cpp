// The tint of a full-screen picture against a plain copy of the same buffer: the tint runs on
// every paint of the chooser, so it should cost little more than moving the bytes.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "ui/Colours.h"

namespace {

constexpr int Width = 1920;
constexpr int Height = 1080;
constexpr std::size_t Bytes = static_cast<std::size_t>(Width) * Height * 4;

std::vector<std::uint8_t> Picture() {
    std::vector<std::uint8_t> bits(Bytes);
    for (std::size_t i = 0; i < Bytes; ++i) bits[i] = static_cast<std::uint8_t>(i * 131 + (i >> 12));
    return bits;
}

void TintFullScreen(benchmark::State& state) {
    std::vector<std::uint8_t> bits = Picture();
    const corvane::TPixelRows rows{bits.data(), Width, Height, Width * 4};
    for (auto _ : state) {
        corvane::TintBitmap(rows, corvane::RgbColour(51, 102, 153), 180);
        benchmark::DoNotOptimize(bits.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(Bytes));
}

void CopyFullScreen(benchmark::State& state) {
    std::vector<std::uint8_t> source = Picture();
    std::vector<std::uint8_t> target(Bytes);
    for (auto _ : state) {
        std::memcpy(target.data(), source.data(), Bytes);
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(Bytes));
}

} // namespace

BENCHMARK(CopyFullScreen)->Unit(benchmark::kMicrosecond);
BENCHMARK(TintFullScreen)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
