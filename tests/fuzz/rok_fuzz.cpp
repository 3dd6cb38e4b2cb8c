// The ROK reader from arbitrary bytes. Whatever the bytes, the file is either read or refused;
// what a read appended is consistent (faces on the shape's own axes, attributes and matrices
// that exist), and the roll-back the read command does after a refusal, or here after every
// read, leaves the model's counts exactly as they were.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <tuple>

#include "db/database.hpp"
#include "fileio/load_snapshot.hpp"
#include "fileio/rok_reader.hpp"
#include "fuzz_support.hpp"
#include "platform/input_file.hpp"
#include "platform/null_sink.hpp"
#include "workstation/workstation.hpp"

namespace {

struct Model {
    Model() {
        rz::db::Settings s = rz::fuzz::smallStores();
        s.capacity.axismax = 1200;  // 200 usable
        s.capacity.patchmax = 400;
        s.capacity.shapemax = 24;
        w.start(s);
    }
    rz::platform::NullSink sink;
    rz::workstation::Workstation w{sink};
};

auto counts(const rz::db::Database& d) {
    return std::make_tuple(d.axisCount, d.patchCount, d.shapeCount, d.blockCount, d.affineCount,
                           d.attributeCount);
}

// Face runs of -n and n axes of the shape itself, filling the shape's entries exactly.
bool consistent(const rz::db::Database& db, const rz::db::Shape& s) {
    if (std::int64_t{s.axisId} + s.axisTotal > db.axisCount) return false;
    if (std::int64_t{s.patchId} + s.patchTotal > db.patchCount) return false;
    if (s.attribId >= db.attributeCount || s.matrixId >= db.affineCount) return false;
    if (static_cast<std::int32_t>(s.shapeId) != db.blockCount - 1) return false;
    std::uint32_t i = 0;
    while (i < s.patchTotal) {
        const std::int32_t head = db.patches[s.patchId + i];
        if (head >= 0 || static_cast<std::uint32_t>(-head) > s.patchTotal - i - 1) return false;
        for (std::int32_t k = 1; k <= -head; ++k) {
            const std::int32_t v = db.patches[s.patchId + i + k];
            if (v < static_cast<std::int32_t>(s.axisId) ||
                v >= static_cast<std::int32_t>(s.axisId + s.axisTotal))
                return false;
        }
        i += static_cast<std::uint32_t>(-head) + 1;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Model* model = new Model;
    rz::db::Database& db = model->w.db;
    rz::platform::InputFile file(std::string_view(reinterpret_cast<const char*>(data), size));
    const auto before = counts(db);
    rz::fileio::LoadGuard guard(db);
    const std::int32_t firstShape = db.shapeCount;
    if (rz::fileio::readRok(model->w.interp, file) == rz::script::kOk) {
        for (std::int32_t i = firstShape; i < db.shapeCount; ++i)
            if (!consistent(db, db.shapes[i])) std::abort();
    }
    guard.rollback();
    if (counts(db) != before) std::abort();
    return 0;
}
