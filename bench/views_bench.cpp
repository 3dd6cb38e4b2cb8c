// Drawing the model into the four panes (winmode 1, wire): 25 vertex grids of 40 x 25
// points, 25,000 axes in all, spread over the views so that every pane shows all of them.
// The target is under 50 ms for the four panes together. The model is drawn in copy mode,
// so every iteration draws the same image; nothing is allocated while drawing.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>

#include "db/database.hpp"
#include "db/settings.hpp"
#include "platform/null_sink.hpp"
#include "script/statement.hpp"
#include "workstation/workstation.hpp"

namespace {

using namespace rz;

constexpr int kShapes = 25;
constexpr int kNu = 40;
constexpr int kNv = 25;
constexpr int kAxes = kShapes * kNu * kNv;

// A 5 x 5 array of wavy sheets, each 1800 units square, in block 1.
void buildModel(db::Database& db) {
    db.blockCount = 2;
    for (int s = 0; s < kShapes; ++s) {
        const auto first = static_cast<std::uint32_t>(db.axisCount);
        const float ox = static_cast<float>(s % 5) * 2000.0f - 5000.0f;
        const float oz = static_cast<float>(s / 5) * 2000.0f - 5000.0f;
        for (int j = 0; j < kNv; ++j)
            for (int i = 0; i < kNu; ++i) {
                const float x = ox + static_cast<float>(i) * 1800.0f / (kNu - 1);
                const float z = oz + static_cast<float>(j) * 1800.0f / (kNv - 1);
                const float y = 300.0f * std::sin(x / 700.0f) * std::cos(z / 500.0f) + 400.0f;
                db.axes[db.axisCount++] = db::Axis{{x, y, z}, {0, 1, 0}, 0, 0};
            }
        const auto header = static_cast<std::uint32_t>(db.patchCount);
        db.patches[db.patchCount++] = -2;
        db.patches[db.patchCount++] = kNu;
        db.patches[db.patchCount++] = kNv;
        db::Shape& shape = db.shapes[db.shapeCount++];
        shape.shapeId = 1;
        shape.kind = db::kShapeGrid;
        shape.axisId = first;
        shape.axisTotal = kNu * kNv;
        shape.patchId = header;
        shape.patchTotal = 3;
    }
}

void drawFourPanes(benchmark::State& state, const char* detail) {
    platform::NullSink sink;
    workstation::Workstation w(sink);
    db::Settings settings;
    settings.capacity.axismax = kAxes + 2000;
    w.start(settings);
    buildModel(w.db);
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
