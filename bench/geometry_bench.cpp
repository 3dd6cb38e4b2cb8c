// Expansion throughput: 1,000 balls of div 24 expanded one after another the way every
// consumer does it (expand, use, restore the counts), each vertex taken through a block
// transform. Reported as vertices per second. And 1,000 ballgen1 primitives through the
// interpreter.
#include <benchmark/benchmark.h>

#include "db/current_records.hpp"
#include "db/database.hpp"
#include "db/settings.hpp"
#include "geometry/block_transform.hpp"
#include "geometry/expanded_shape.hpp"
#include "math/matrix_math.hpp"
#include "platform/message_service.hpp"
#include "platform/message_sink.hpp"
#include "platform/null_sink.hpp"
#include "script/interp.hpp"
#include "script/statement.hpp"
#include "workstation/workstation.hpp"

namespace {

using namespace rz;

constexpr int kBalls = 1000;
constexpr float kDiv = 24;

// A model of kBalls balls in block 1, which is turned and displaced.
void buildModel(db::Database& db) {
    db.capacity.axismax = 2 * kBalls + 2000;
    db.capacity.patchmax = 100;
    db.capacity.shapemax = kBalls + 10;
    db.capacity.blockmax = 2;
    db.axes.assign(db.capacity.axismax, {});
    db.patches.assign(db.capacity.patchmax, 0);
    db.shapes.assign(db.capacity.shapemax, {});
    db.blocks.assign(db.capacity.blockmax, {});
    db.affines.assign(1, kIdentity);
    db.blockCount = 2;
    db.blocks[1].matrix = rotation(RotationAxis::Y, 30);
    db.blocks[1].center = {100, 0, 0};
    db.blocks[1].trans = {0, 50, 0};
    for (int i = 0; i < kBalls; ++i) {
        const auto first = static_cast<std::uint32_t>(db.axisCount);
        const float x = static_cast<float>(i % 40) * 30.0f;
        const float z = static_cast<float>(i / 40) * 30.0f;
        db.axes[db.axisCount++] = db::Axis{{x, 0, z}, {10, 12, 14}, kDiv, 0};
        db.axes[db.axisCount++] = db::Axis{{0, 180, 0}, {0, 360, 0}, 0, 0};
        db::Shape& s = db.shapes[db.shapeCount++];
        s.shapeId = 1;
        s.axisId = first;
        s.axisTotal = 2;
        s.kind = db::kShapeBall;
    }
}

void BM_ExpandBallsThroughBlockTransform(benchmark::State& state) {
    rz::platform::NullSink sink;
    platform::MessageService msg(sink);
    db::Database db;
    buildModel(db);
    if (geometry::setBlockTransform(db, msg, 1) != script::kOk)
        state.SkipWithError("no block transform");
    const Mat4 block = db.geometry.current;
    std::int64_t vertices = 0;
    for (auto _ : state) {
        float sum = 0.0f;
        for (int i = 0; i < kBalls; ++i) {
            const geometry::ExpandedShape e(db, msg, i);
            for (const db::Axis& a : e.grid().vertices) {
                const Vec3 p = transformPoint(a.wv, block);
                sum += p[0] + p[1] + p[2];
            }
            vertices += static_cast<std::int64_t>(e.grid().vertices.size());
        }
        benchmark::DoNotOptimize(sum);
    }
    state.counters["vertices"] =
        benchmark::Counter(static_cast<double>(vertices), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ExpandBallsThroughBlockTransform)->Unit(benchmark::kMillisecond);

}  // namespace

// Primitive generation as the tools issue it: 1,000 ballgen1 statements through the
// interpreter on a started model, each making a block with one ball and its box. The model
// is emptied between iterations, outside the timing.
void BM_Ballgen1Primitives(benchmark::State& state) {
    rz::platform::NullSink sink;
    workstation::Workstation w(sink);
    script::Interp& in = w.interp;
    db::Database& db = w.db;
    db::Settings settings;
    settings.capacity.shapemax = kBalls + 10;
    settings.capacity.blockmax = kBalls + 10;
    settings.capacity.affinemax = kBalls + 10;
    settings.capacity.axismax = 2 * kBalls + 2000;
    w.start(settings);
    script::execCommandString(in, 0, "box.s = (0, 0, 0); box.e = (100, 200, 300);");
    for (auto _ : state) {
        for (int i = 0; i < kBalls; ++i)
            script::execCommandString(in, 0, "ballgen1 box.s, box.e, 12;");
        state.PauseTiming();
        if (db.shapeCount != kBalls) state.SkipWithError("not every ball was made");
        db::resetModelRecords(db);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kBalls);
}
BENCHMARK(BM_Ballgen1Primitives)->Unit(benchmark::kMillisecond);
