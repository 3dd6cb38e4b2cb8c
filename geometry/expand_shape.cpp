#include "geometry/expand_shape.hpp"

#include <algorithm>

#include "db/capacity.hpp"
#include "geometry/affine_slots.hpp"
#include "geometry/expand_kinds.hpp"
#include "geometry/shape_transform.hpp"
#include "geometry/truncate.hpp"
#include "math/matrix_math.hpp"
#include "script/tokens.hpp"

namespace rz::geometry {
namespace {

using script::kFail;
using script::kOk;
using script::Result;
using Generator = script::Result (*)(db::Database&, platform::MessageService&, const ExpandJob&);

// The generator of a kind and the number of parameter axes it reads; null for kinds that
// are not expanded.
struct KindEntry {
    Generator generate = nullptr;
    int parameterAxes = 0;
    bool swept = false;  // its divisions follow a sweep
};

KindEntry entryOf(std::uint8_t kind) {
    switch (kind) {
        case db::kShapeBall:
            return {expandBall, 2, true};
        case db::kShapeRevolve:
            return {expandRevolve, 2, true};
        case db::kShapeBox:
            return {expandBox, 1, false};
        case db::kShapeDisc:
            return {expandDisc, 2, true};
        case db::kShapeQuad:
            return {expandQuad, 2, false};
        case db::kShapeRing:
            return {expandRing, 2, true};
        case db::kShapeGridPlane:
            return {expandGridPlane, 2, false};
        default:
            return {};
    }
}

bool validShape(const db::Database& db, int shape) {
    return shape >= 0 && shape < db.shapeCount && shape < static_cast<int>(db.shapes.size());
}

// Copies the source record and its parameter axes out of the stores.
script::Result loadJob(db::Database& db, platform::MessageService& msg, int shape,
                       const KindEntry& kind, ExpandJob& job) {
    job.source = db.shapes[shape];
    const std::int64_t first = job.source.axisId;
    if (first + kind.parameterAxes > std::min<std::int64_t>(db.axisCount, db.axes.size())) {
        msg.internalError();
        return kFail;
    }
    job.a = packed(db.axes[first]);
    if (kind.parameterAxes > 1) job.b = packed(db.axes[first + 1]);
    // A count this large fits no store and is refused by the capacity check; holding it
    // there keeps the grid arithmetic inside the integers.
    constexpr int kDivisionsBeyondAnyStore = 1 << 28;
    job.div = std::min(truncateToInt(job.a[6]), kDivisionsBeyondAnyStore);
    return kOk;
}

int coarseDivisions(std::uint8_t kind, const ExpandJob& job) {
    if (kind == db::kShapeGridPlane) return 2;
    if (!entryOf(kind).swept) return job.div;
    const int coarse = job.b[3] == 0.0f && job.b[4] == 360.0f ? 4 : 2;
    return std::min(coarse, job.div);
}

enum class Detail { Full, Coarse };

script::Result expand(db::Database& db, platform::MessageService& msg, int shape, ExpandMode mode,
                      Detail detail) {
    if (!validShape(db, shape)) {
        msg.internalError();
        return kFail;
    }
    const std::uint8_t kind = db.shapes[shape].kind;
    const KindEntry entry = entryOf(kind);
    if (entry.generate == nullptr) return kOk;

    ExpandJob job;
    if (loadJob(db, msg, shape, entry, job) != kOk) return kFail;
    job.form = mode == ExpandMode::Polygon ? Form::Polygon : Form::Grid;
    if (detail == Detail::Coarse) {
        job.div = coarseDivisions(kind, job);
        return entry.generate(db, msg, job);
    }

    const bool bake = mode == ExpandMode::BakedGrid;
    Mat4 own = kIdentity;
    if (bake) {
        // Everything the bake needs is checked before anything is appended.
        if (checkAffineSpace(db, msg) != kOk) return kFail;
        if (!affineMatrix(db, msg, job.source.matrixId, own)) return kFail;
    }
    if (entry.generate(db, msg, job) != kOk) return kFail;
    const int made = db.shapeCount - 1;
    db.shapes[made].layer = 1;
    if (bake) return bakeShape(db, msg, made, multiply(own, db.geometry.current));
    return kOk;
}

}  // namespace

bool isExpandable(std::uint8_t kind) {
    return entryOf(kind).generate != nullptr;
}

script::Result expandShape(db::Database& db, platform::MessageService& msg, int shape,
                           ExpandMode mode) {
    return expand(db, msg, shape, mode, Detail::Full);
}

script::Result expandShapeCoarse(db::Database& db, platform::MessageService& msg, int shape,
                                 ExpandMode mode) {
    return expand(db, msg, shape, mode, Detail::Coarse);
}

script::Result generateGrid(db::Database& db, platform::MessageService& msg, int shape) {
    if (!validShape(db, shape)) {
        msg.internalError();
        return kFail;
    }
    const KindEntry entry = entryOf(db.shapes[shape].kind);
    if (entry.generate == nullptr) return kOk;
    ExpandJob job;
    if (loadJob(db, msg, shape, entry, job) != kOk) return kFail;
    return entry.generate(db, msg, job);
}

}  // namespace rz::geometry
