// The software renderer: 100 balls of 24 divisions on a plane, at FINE (16 tiles, 2 x 2
// samples a pixel) and FINISH (4 x 4 samples) on one and two threads, and at FAST (a single
// tile). Reported as micropolygons rasterised per second of wall time and of the process's CPU
// time (per thread too: the machine may be shared), and the two-thread speed-up of FINE.
#include <benchmark/benchmark.h>

#include <chrono>
#include <ctime>
#include <map>
#include <memory>
#include <string>

#include "bench/ball_field_scene.hpp"
#include "db/current_records.hpp"
#include "platform/null_sink.hpp"
#include "render/renderer.hpp"
#include "script/statement.hpp"
#include "workstation/workstation.hpp"

namespace {

using namespace rz;

constexpr int kFast = 2;
constexpr int kFine = 6;
constexpr int kFinish = 7;

struct Bench {
    platform::NullSink sink;
    workstation::Workstation w{sink};
    explicit Bench(int threads) {
        db::Settings settings;
        settings.renderThreads = threads;
        w.start(settings);
        script::execCommandString(w.interp, 0, scenes::ballFieldScene().c_str());
        db::putCameraRecord(w.interp);
    }
};

Bench& bench(int threads) {
    static std::map<int, std::unique_ptr<Bench>> started;
    auto& b = started[threads];
    if (!b) b = std::make_unique<Bench>(threads);
    return *b;
}

// One render; its micropolygons.
std::uint64_t renderOnce(Bench& b, int mode) {
    const std::uint64_t before = b.w.renderer.micropolygons();
    render::render(b.w.renderer, b.w.interp, -1, mode);
    return b.w.renderer.micropolygons() - before;
}

// CPU time of the whole process (every render thread), seconds.
double processSeconds() {
    return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

void report(benchmark::State& state, std::uint64_t micropolygons, int threads, double cpu) {
    const auto n = static_cast<double>(micropolygons);
    state.counters["micropolygons/s"] = benchmark::Counter(n, benchmark::Counter::kIsRate);
    state.counters["per thread/s"] = benchmark::Counter(n / threads, benchmark::Counter::kIsRate);
    state.counters["per CPU s"] = cpu > 0 ? n / cpu : 0;
}

void BM_Render(benchmark::State& state) {
    const int mode = static_cast<int>(state.range(0));
    const int threads = static_cast<int>(state.range(1));
    Bench& b = bench(threads);
    std::uint64_t total = 0;
    const double cpu0 = processSeconds();
    for (auto _ : state) total += renderOnce(b, mode);
    report(state, total, threads, processSeconds() - cpu0);
}
BENCHMARK(BM_Render)
    ->ArgNames({"mode", "threads"})
    ->Args({kFine, 1})
    ->Args({kFine, 2})
    ->Args({kFinish, 1})
    ->Args({kFinish, 2})
    ->Args({kFast, 1})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// FINE on two threads against one, timed in the same iteration.
void BM_FineScaling(benchmark::State& state) {
    Bench& one = bench(1);
    Bench& two = bench(2);
    double seconds1 = 0;
    double seconds2 = 0;
    double cpu1 = 0;
    double cpu2 = 0;
    using Clock = std::chrono::steady_clock;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        const double c0 = processSeconds();
        renderOnce(one, kFine);
        const auto t1 = Clock::now();
        const double c1 = processSeconds();
        renderOnce(two, kFine);
        const auto t2 = Clock::now();
        const double c2 = processSeconds();
        seconds1 += std::chrono::duration<double>(t1 - t0).count();
        seconds2 += std::chrono::duration<double>(t2 - t1).count();
        cpu1 += c1 - c0;
        cpu2 += c2 - c1;
    }
    state.counters["speed-up"] = seconds2 > 0 ? seconds1 / seconds2 : 0;
    // The CPU the two threads spent against one: 1 when the second thread adds no work.
    state.counters["CPU ratio"] = cpu1 > 0 ? cpu2 / cpu1 : 0;
}
BENCHMARK(BM_FineScaling)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
