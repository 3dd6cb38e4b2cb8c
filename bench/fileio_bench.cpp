// Saving and loading a full-size model: 25,000 axes and 4,000 shapes with their blocks,
// matrices and attributes, as a parts script (.PTS) and as a tagged binary file (.PTB), and
// exporting it as DXF faces and as VRML (without and with mapping).
// Each read goes through the read command into an empty model, which is rolled back
// (outside the timing) before the next one. The file sizes are reported as counters.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "db/database.hpp"
#include "db/settings.hpp"
#include "fileio/load_snapshot.hpp"
#include "platform/message_service.hpp"
#include "platform/message_sink.hpp"
#include "platform/null_sink.hpp"
#include "script/interp.hpp"
#include "script/statement.hpp"
#include "workstation/workstation.hpp"

namespace {

using namespace rz;

constexpr int kAxes = 25000;
constexpr int kShapes = 4000;
constexpr int kBlocks = 200;

db::Settings benchSettings() {
    db::Settings s;
    s.capacity.axismax = kAxes + 1000;  // the usable limit is exactly the model's size
    s.capacity.shapemax = kShapes;
    s.capacity.patchmax = 40000;
    s.capacity.affinemax = kShapes + 10;
    return s;
}

// The exporters expand the boxes behind the model, so they need a little room there.
db::Settings exportSettings() {
    db::Settings s = benchSettings();
    s.capacity.axismax += 64;
    s.capacity.shapemax += 2;
    return s;
}

struct BenchModel {
    explicit BenchModel(const db::Settings& settings = benchSettings()) { w.start(settings); }
    void run(const std::string& text) { script::execCommandString(in, 0, text.c_str()); }
    rz::platform::NullSink sink;
    workstation::Workstation w{sink};
    platform::MessageService& msg = w.msg;
    script::Interp& in = w.interp;
    db::Database& model = w.db;
};

// Grids of 2 x 3 vertices, a box every tenth shape, and a last grid that takes the rest of
// the axes; every shape in one of the blocks, with an attribute, and every parametric one
// with its own matrix.
void buildModel(db::Database& db) {
    int axis = 0;
    for (int s = 0; s < kShapes; ++s) {
        db::Shape& sh = db.shapes[s];
        const bool box = s % 10 == 0;
        const bool last = s == kShapes - 1;
        const int rows = box ? 1 : last ? (kAxes - axis) / 2 : 3;
        const int count = box ? 1 : 2 * rows;
        sh.shapeId = static_cast<std::uint32_t>(1 + s % (kBlocks - 1));
        sh.axisId = static_cast<std::uint32_t>(axis);
        sh.axisTotal = static_cast<std::uint32_t>(count);
        sh.attribId = static_cast<std::uint16_t>(s % 3);
        sh.kind = box ? db::kShapeBox : db::kShapeGrid;
        if (box) {
            sh.matrixId = static_cast<std::uint16_t>(db.affineCount);
            db.affines[db.affineCount++] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 1.5 * s, 2, 3, 1};
        } else {
            sh.patchId = static_cast<std::uint32_t>(db.patchCount);
            sh.patchTotal = 3;
            db.patches[db.patchCount++] = -2;
            db.patches[db.patchCount++] = 2;
            db.patches[db.patchCount++] = rows;
        }
        sh.bbmin = {0.25f * s, 0, 0};
        sh.bbmax = {0.25f * s + 10, 10, 10};
        std::snprintf(sh.name.data(), sh.name.size(), "shape%d", s);
        for (int k = 0; k < count; ++k, ++axis)
            db.axes[axis] = {
                {0.125f * axis, 0.5f * k, -1.25f * s}, {0, 0, 1}, 0.5f * (k % 2), 0.25f};
    }
    db.axisCount = axis;
    db.shapeCount = kShapes;
    db.blockCount = kBlocks;
    for (int b = 1; b < kBlocks; ++b) {
        db.blocks[b].center = {1.0f * b, 2, 3};
        std::snprintf(db.blocks[b].name.data(), db.blocks[b].name.size(), "block%d", b);
    }
    db.attributeCount = 3;
}

// A folder for the files, removed when the program ends.
struct BenchDir {
    BenchDir() {
        std::string d = "/tmp/rz_fileio_bench_XXXXXX";
        path = ::mkdtemp(d.data()) != nullptr ? d : std::string();
    }
    ~BenchDir() {
        std::error_code ec;
        if (!path.empty()) std::filesystem::remove_all(path, ec);
    }
    std::string path;
};

std::string benchDir() {
    static const BenchDir dir;
    return dir.path;
}

double fileSize(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? static_cast<double>(st.st_size) : 0.0;
}

void writeModel(benchmark::State& state, const char* name,
                const db::Settings& settings = benchSettings(), const std::string& before = {}) {
    BenchModel ws(settings);
    buildModel(ws.model);
    const std::string path = benchDir() + "/" + name;
    const std::string statement = before + "write \"" + path + "\";";
    if (ws.model.axisCount != kAxes) state.SkipWithError("the model is not full size");
    for (auto _ : state) ws.run(statement);
    if (ws.msg.errorCount() != 0) state.SkipWithError("the model could not be written");
    state.counters["file_bytes"] = fileSize(path);
}

void readModel(benchmark::State& state, const char* name) {
    const std::string path = benchDir() + "/" + name;
    {
        BenchModel source;
        buildModel(source.model);
        source.run("write \"" + path + "\";");
    }
    BenchModel ws;
    fileio::LoadGuard empty(ws.model);
    const std::string statement = "read \"" + path + "\";";
    for (auto _ : state) {
        ws.run(statement);
        state.PauseTiming();
        const bool whole = ws.model.axisCount == kAxes && ws.model.shapeCount == kShapes;
        empty.rollback();
        if (!whole) {
            state.SkipWithError("the model was not read whole");
            break;
        }
        state.ResumeTiming();
    }
    if (ws.msg.errorCount() != 0) state.SkipWithError("the model could not be read");
    state.counters["file_bytes"] = fileSize(path);
}

void BM_WritePts(benchmark::State& state) {
    writeModel(state, "model.pts");
}
void BM_ReadPts(benchmark::State& state) {
    readModel(state, "model.pts");
}
void BM_WritePtb(benchmark::State& state) {
    writeModel(state, "model.ptb");
}
void BM_ReadPtb(benchmark::State& state) {
    readModel(state, "model.ptb");
}

void BM_ExportDxf(benchmark::State& state) {
    writeModel(state, "model.dxf", exportSettings());
}
void BM_ExportWrl(benchmark::State& state) {
    writeModel(state, "model.wrl", exportSettings(), "set.vrml.map OFF;");
}
void BM_ExportWrlMapped(benchmark::State& state) {
    writeModel(state, "mapped.wrl", exportSettings(), "set.vrml.map ON;");
}

BENCHMARK(BM_WritePts)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadPts)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WritePtb)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadPtb)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportDxf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportWrl)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportWrlMapped)->Unit(benchmark::kMillisecond);

}  // namespace
