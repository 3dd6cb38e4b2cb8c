// From a mouse move in the views to the redrawn views, on the 25,000-axis model in the four
// panes: what the view widget calls for one drag step, measured without a window (the
// widget then only copies the image to the screen).
//  - BM_DragBoxCorner: a handle of the box cursor is held (no operation pending); the step
//    moves the corner and the cursor is drawn again.
//  - BM_DragBlocksStep: the translate operation; the step moves the box cursor and runs
//    "block.move; wire L.ACTIVE, O.WIRE; ", which draws the moved outline of every shape.
#include <benchmark/benchmark.h>

#include "bench/wavy_sheets_model.hpp"
#include "db/current_records.hpp"
#include "db/settings.hpp"
#include "platform/null_sink.hpp"
#include "render/view_mouse.hpp"
#include "script/statement.hpp"
#include "workstation/workstation.hpp"

namespace {

using namespace rz;

// The XY pane of the four.
constexpr int kXYPane = 3;

struct Scene {
    explicit Scene(const char* tool) {
        db::Settings settings;
        settings.capacity.axismax = bench::kAxes + 2000;
        w.start(settings);
        bench::buildWavySheets(w.db);
        run("c.pos = (12000, 9000, 14000); c.tar = (0, 0, 0); c.upper = (-1, 1, -1);"
            "set.winfact 4; winmode = W4.MODE; grid.sw = 0; winclear; set.layer L.ACTIVE; wire;"
            "draw L.ACTIVE, G.ABOX; abox2block; grid.center = ( box.s:x, box.s:y, box.s:z );");
        run(tool);
    }
    void run(const char* statements) { script::execCommandString(w.interp, 0, statements); }

    platform::NullSink sink;
    workstation::Workstation w{sink};
};

// Drags between two pixels a few apart, so that every step moves the cursor.
void drag(benchmark::State& state, Scene& s, int x, int y, const char* after) {
    render::viewMousePress(s.w.views, s.w.interp, x, y);
    int step = 0;
    for (auto _ : state) {
        const int dx = (++step % 2) * 5;
        if (!render::viewMouseDrag(s.w.views, s.w.interp, x + dx, y + dx)) {
            state.SkipWithError("the drag step did not move the cursor");
            break;
        }
        if (after != nullptr) s.run(after);
        benchmark::DoNotOptimize(s.w.views.raster.pixels().data());
    }
    render::viewMouseRelease(s.w.views, s.w.interp, x, y);
    state.counters["axes"] = bench::kAxes;
    if (s.w.msg.errorCount() != 0) state.SkipWithError("the step reported an error");
}

void BM_DragBoxCorner(benchmark::State& state) {
    Scene s("blockON;");
    const db::ScreenPoint h = db::database(s.w.interp).boxCursor.panes[kXYPane].handles[6];
    drag(state, s, static_cast<int>(h.x), static_cast<int>(h.y), nullptr);
}
BENCHMARK(BM_DragBoxCorner)->Unit(benchmark::kMillisecond);

void BM_DragBlocksStep(benchmark::State& state) {
    Scene s("trans.block;");
    const render::PaneRect& r = s.w.views.layout.panes[kXYPane].rect;
    drag(state, s, (r.left + r.right) / 2, (r.top + r.bottom) / 2,
         "block.move; wire L.ACTIVE, O.WIRE; ");
}
BENCHMARK(BM_DragBlocksStep)->Unit(benchmark::kMillisecond);

}  // namespace
