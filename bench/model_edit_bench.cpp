// Deleting half of the blocks of a model, and copying every shape of it, at two model
// sizes: 25,000 axes in 4,000 polygon shapes and twice that. Deletion compacts every store
// in one pass, so its time should follow the model size.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "db/database.hpp"
#include "db/model_delete.hpp"
#include "geometry/model_copy.hpp"
#include "platform/message_service.hpp"
#include "platform/null_sink.hpp"

namespace {

using namespace rz;

constexpr int kShapesPerBlock = 8;

// `shapes` polygon meshes of six vertices and one hexagon face each (every fourth with a
// seventh vertex, which brings 4,000 shapes to 25,000 axes), eight shapes to a block; the
// shapes of every other block selected. Room for a copy of everything.
void buildModel(db::Database& db, int shapes) {
    const int axes = shapes * 6 + shapes / 4;
    db.capacity.axismax = 2 * axes + 2000;
    db.capacity.patchmax = 2 * shapes * 7 + 10;
    db.capacity.shapemax = 2 * shapes + 10;
    db.capacity.blockmax = 2 * (shapes / kShapesPerBlock) + 10;
    db.capacity.affinemax = shapes + 10;
    db.axes.assign(static_cast<std::size_t>(db.capacity.axismax), {});
    db.patches.assign(static_cast<std::size_t>(db.capacity.patchmax), 0);
    db.shapes.assign(static_cast<std::size_t>(db.capacity.shapemax), {});
    db.blocks.assign(static_cast<std::size_t>(db.capacity.blockmax), {});
    db.affines.assign(static_cast<std::size_t>(db.capacity.affinemax), kIdentity);
    db.axisCount = db.patchCount = db.shapeCount = 0;
    db.blockCount = 1 + shapes / kShapesPerBlock;
    db.affineCount = 1;
    for (int i = 0; i < shapes; ++i) {
        const int vertices = i % 4 == 0 ? 7 : 6;
        db::Shape& s = db.shapes[static_cast<std::size_t>(db.shapeCount++)];
        s.kind = db::kShapePolygon;
        s.shapeId = static_cast<std::uint32_t>(1 + i / kShapesPerBlock);
        s.layer = (i / kShapesPerBlock) % 2 == 0 ? 1 : 0;
        s.axisId = static_cast<std::uint32_t>(db.axisCount);
        s.axisTotal = static_cast<std::uint32_t>(vertices);
        s.patchId = static_cast<std::uint32_t>(db.patchCount);
        s.patchTotal = 7;
        for (int v = 0; v < vertices; ++v)
            db.axes[static_cast<std::size_t>(db.axisCount++)].wv = {static_cast<float>(v),
                                                                    static_cast<float>(i), 0};
        db.patches[static_cast<std::size_t>(db.patchCount++)] = -6;
        for (int v = 0; v < 6; ++v)
            db.patches[static_cast<std::size_t>(db.patchCount++)] =
                static_cast<std::int32_t>(s.axisId) + v;
    }
}

void BM_DeleteHalfTheBlocks(benchmark::State& state) {
    db::Database db;
    for (auto _ : state) {
        state.PauseTiming();
        buildModel(db, static_cast<int>(state.range(0)));
        state.ResumeTiming();
        db::deleteShapes(db, 1, db::DeleteScope::Blocks);
        benchmark::DoNotOptimize(db.shapeCount);
    }
    state.counters["axes"] = static_cast<double>(state.range(0) * 6 + state.range(0) / 4);
}
BENCHMARK(BM_DeleteHalfTheBlocks)->Arg(4000)->Arg(8000)->Unit(benchmark::kMillisecond);

void BM_CopyEveryShape(benchmark::State& state) {
    platform::NullSink sink;
    platform::MessageService msg(sink);
    db::Database db;
    for (auto _ : state) {
        state.PauseTiming();
        buildModel(db, static_cast<int>(state.range(0)));
        state.ResumeTiming();
        if (geometry::copyShapes(db, msg, 0) != script::kOk) state.SkipWithError("copy refused");
        benchmark::DoNotOptimize(db.shapeCount);
    }
}
BENCHMARK(BM_CopyEveryShape)->Arg(4000)->Arg(8000)->Unit(benchmark::kMillisecond);

}  // namespace
