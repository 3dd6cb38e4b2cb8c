// The drawing layer: lines long and short, clipped lines with far-away ends, fills, text.
// Lines are reported in pixels per second; a 1000-pixel line should take a microsecond or
// two.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <cstdlib>

#include "render/raster.hpp"

namespace {

using rz::render::Raster;
using rz::render::RasterOp;
using rz::render::Rgb;

constexpr int kWidth = 1280;
constexpr int kHeight = 1024;
constexpr Rgb kWhite{255, 255, 255};

Raster image() {
    Raster raster;
    if (raster.resize(kWidth, kHeight) != rz::render::ImageStatus::Ok) std::abort();
    return raster;
}

// Lines of `length` pixels from the middle in eight directions, one per octant.
void lines(benchmark::State& state, RasterOp op) {
    Raster raster = image();
    const auto length = static_cast<int>(state.range(0));
    const std::array<std::array<int, 2>, 8> ends = {{{length, length / 3},
                                                     {length / 3, length},
                                                     {-length / 3, length},
                                                     {-length, length / 3},
                                                     {-length, -length / 3},
                                                     {-length / 3, -length},
                                                     {length / 3, -length},
                                                     {length, -length / 3}}};
    constexpr int kX = kWidth / 2, kY = kHeight / 2;
    std::size_t n = 0;
    for (auto _ : state) {
        const auto& end = ends[n++ % ends.size()];
        raster.line(kX, kY, kX + end[0] / 2, kY + end[1] / 2, kWhite, op);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * (length / 2));
}

void BM_LineCopy(benchmark::State& state) {
    lines(state, RasterOp::Copy);
}
void BM_LineXor(benchmark::State& state) {
    lines(state, RasterOp::Xor);
}
// Lengths before halving: the lines drawn are 1000 and 10 pixels long.
BENCHMARK(BM_LineCopy)->Arg(2000)->Arg(20);
BENCHMARK(BM_LineXor)->Arg(2000)->Arg(20);

// Ends a thousand million pixels away, through the middle of the image corner to corner
// (1280 pixels inside).
void BM_LineFarEnds(benchmark::State& state) {
    Raster raster = image();
    constexpr int kX = kWidth / 2, kY = kHeight / 2, kDx = 1'000'000'000, kDy = 800'000'000;
    for (auto _ : state) raster.line(kX - kDx, kY - kDy, kX + kDx, kY + kDy, kWhite, RasterOp::Xor);
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * kWidth);
}
BENCHMARK(BM_LineFarEnds);

void BM_FillRect(benchmark::State& state) {
    Raster raster = image();
    for (auto _ : state) raster.fillRect({100, 100, 740, 580}, kWhite, RasterOp::Xor);
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * 640 * 480);
}
BENCHMARK(BM_FillRect);

void text(benchmark::State& state, const char* text) {
    Raster raster = image();
    if (!raster.loadFont()) {
        state.SkipWithError("no font");
        return;
    }
    for (auto _ : state) raster.text(40, 40, text, Rgb{104, 216, 255}, Rgb{80, 80, 80});
}

void BM_TextLegend(benchmark::State& state) {
    text(state, "scale: 500.000");
}
void BM_TextViewName(benchmark::State& state) {
    text(state, "上面図");
}
BENCHMARK(BM_TextLegend);
BENCHMARK(BM_TextViewName);

}  // namespace
