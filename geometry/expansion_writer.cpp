#include "geometry/expansion_writer.hpp"

#include "db/capacity.hpp"
#include "script/tokens.hpp"

namespace rz::geometry {

SweepRows sweepRows(int div, bool closed, Form form) {
    const bool wraps = closed && form == Form::Polygon;
    return {wraps ? div : div + 1, wraps};
}

std::int64_t gridPatchEntries(Form form, std::int64_t nu, std::int64_t rows, bool wraps) {
    if (form == Form::Grid) return 3;
    const std::int64_t rowPairs = wraps ? rows : rows - 1;
    return 5 * (nu - 1) * rowPairs;
}

ExpansionWriter::ExpansionWriter(db::Database& db, platform::MessageService& msg,
                                 const db::Shape& source)
    : db_(db), msg_(msg), source_(source), firstAxis_(db.axisCount), firstPatch_(db.patchCount) {}

script::Result ExpansionWriter::reserve(std::int64_t axes, std::int64_t patches) {
    if (checkModelSpace(db_, msg_, axes, patches, 1) != script::kOk) return script::kFail;
    axesReserved_ = axes;
    patchesReserved_ = patches;
    reserved_ = true;
    return script::kOk;
}

void ExpansionWriter::vertex(const Vec3d& position, const Vec3d& normal, double u, double v) {
    // Only what was claimed is ever written; a generator that asks for more loses it, and
    // finish reports the mismatch.
    if (axesWritten_ >= axesReserved_) {
        ++axesWritten_;
        return;
    }
    db::Axis& a = db_.axes[firstAxis_ + axesWritten_++];
    a.wv = narrow(position);
    a.nv = narrow(normal);
    a.u = static_cast<float>(u);
    a.v = static_cast<float>(v);
}

void ExpansionWriter::patch(std::int32_t value) {
    if (patchesWritten_ >= patchesReserved_) {
        ++patchesWritten_;
        return;
    }
    db_.patches[firstPatch_ + patchesWritten_++] = value;
}

void ExpansionWriter::gridPatches(Form form, int nu, int rows, bool wraps) {
    if (form == Form::Grid) {
        patch(-2);
        patch(nu);
        patch(rows);
        return;
    }
    const int rowPairs = wraps ? rows : rows - 1;
    for (int j = 0; j < rowPairs; ++j) {
        const std::int32_t row = firstAxis_ + j * nu;
        const std::int32_t next = firstAxis_ + ((j + 1) % rows) * nu;
        for (int i = 0; i + 1 < nu; ++i) {
            patch(-4);
            patch(row + i);
            patch(row + i + 1);
            patch(next + i + 1);
            patch(next + i);
        }
    }
}

script::Result ExpansionWriter::finish(Form form, bool smooth) {
    if (!reserved_ || axesWritten_ != axesReserved_ || patchesWritten_ != patchesReserved_) {
        msg_.internalError();
        return script::kFail;
    }
    db::Shape& s = db_.shapes[db_.shapeCount];
    s = source_;
    s.axisId = static_cast<std::uint32_t>(firstAxis_);
    s.axisTotal = static_cast<std::uint32_t>(axesWritten_);
    s.patchId = static_cast<std::uint32_t>(firstPatch_);
    s.patchTotal = static_cast<std::uint32_t>(patchesWritten_);
    s.editHead = db::kNoEdits;
    s.kind = form == Form::Grid ? db::kShapeGrid : db::kShapePolygon;
    s.smoothflag = smooth ? 1 : 0;
    s.lrflag = 0;
    s.layer = source_.layer;
    db_.axisCount = static_cast<std::int32_t>(firstAxis_ + axesWritten_);
    db_.patchCount = static_cast<std::int32_t>(firstPatch_ + patchesWritten_);
    ++db_.shapeCount;
    return script::kOk;
}

}  // namespace rz::geometry
