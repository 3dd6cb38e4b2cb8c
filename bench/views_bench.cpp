// Drawing the model into the four panes (winmode 1, wire): 25 vertex grids of 40 x 25
// points, 25,000 axes in all, spread over the views so that every pane shows all of them.
// The target is under 50 ms for the four panes together. The model is drawn in copy mode,
// so every iteration draws the same image; nothing is allocated while drawing.
#include <benchmark/benchmark.h>

#include "bench/wavy_sheets_model.hpp"
#include "db/database.hpp"
#include "db/settings.hpp"
#include "platform/null_sink.hpp"
#include "script/statement.hpp"
#include "workstation/workstation.hpp"

namespace {

using namespace rz;

using bench::kAxes;

void drawFourPanes(benchmark::State& state, const char* detail) {
    platform::NullSink sink;
    workstation::Workstation w(sink);
    db::Settings settings;
    settings.capacity.axismax = kAxes + 2000;
    w.start(settings);
    bench::buildWavySheets(w.db);
    script::execCommandString(w.interp, 0, detail);
    script::execCommandString(w.interp, 0,
                              "c.pos = (12000, 9000, 14000); c.tar = (0, 0, 0);"
                              "c.upper = (-1, 1, -1); set.winfact 4; winmode = W4.MODE; winclear;");
    for (auto _ : state) {
        script::execCommandString(w.interp, 0, "wire;");
        benchmark::DoNotOptimize(w.views.raster.pixels().data());
    }
    state.counters["axes"] = kAxes;
    if (w.msg.errorCount() != 0) state.SkipWithError("the drawing reported an error");
}

void BM_WireFourPanesDense(benchmark::State& state) {
    drawFourPanes(state, "wire.detail 1;");
}
BENCHMARK(BM_WireFourPanesDense)->Unit(benchmark::kMillisecond);

void BM_WireFourPanesFast(benchmark::State& state) {
    drawFourPanes(state, "wire.detail 0;");
}
BENCHMARK(BM_WireFourPanesFast)->Unit(benchmark::kMillisecond);

// Clearing and laying out the four panes with their grids and legends, as every
// "winclear; wire;" begins.
void BM_WinclearFourPanes(benchmark::State& state) {
    platform::NullSink sink;
    workstation::Workstation w(sink);
    w.start(db::Settings{});
    script::execCommandString(w.interp, 0, "winmode = W4.MODE;");
    for (auto _ : state) script::execCommandString(w.interp, 0, "winclear;");
}
BENCHMARK(BM_WinclearFourPanes)->Unit(benchmark::kMillisecond);

}  // namespace
