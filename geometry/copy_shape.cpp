#include "geometry/copy_shape.hpp"

#include <algorithm>

#include "db/capacity.hpp"
#include "geometry/affine_slots.hpp"
#include "geometry/edit_list.hpp"
#include "geometry/expand_shape.hpp"
#include "geometry/shape_transform.hpp"
#include "math/matrix_math.hpp"
#include "script/tokens.hpp"

namespace rz::geometry {
namespace {

using script::kFail;
using script::kOk;
using script::Result;

// Appends the axes and patch entries of an explicit shape and a record for them.
script::Result copyExplicit(db::Database& db, platform::MessageService& msg, const db::Shape& src) {
    const std::int64_t axisEnd = std::int64_t{src.axisId} + src.axisTotal;
    const std::int64_t patchEnd = std::int64_t{src.patchId} + src.patchTotal;
    if (axisEnd > db.axisCount || patchEnd > db.patchCount) {
        msg.internalError();
        return kFail;
    }
    if (checkModelSpace(db, msg, src.axisTotal, src.patchTotal, 1) != kOk) return kFail;
    const std::int32_t newAxis = db.axisCount;
    const std::int32_t newPatch = db.patchCount;
    std::copy_n(db.axes.begin() + src.axisId, src.axisTotal, db.axes.begin() + newAxis);
    std::copy_n(db.patches.begin() + src.patchId, src.patchTotal, db.patches.begin() + newPatch);
    if (src.kind == db::kShapePolygon)
        shiftFaceRuns({db.patches.data() + newPatch, src.patchTotal},
                      std::int64_t{newAxis} - src.axisId);

    db::Shape& copy = db.shapes[db.shapeCount];
    // The facing flag is kept: unlike an expansion, a copied mesh keeps its vertex order, so
    // a mirrored or two-sided mesh would turn its faces over if its edited copy dropped it.
    copy = src;
    copy.axisId = static_cast<std::uint32_t>(newAxis);
    copy.patchId = static_cast<std::uint32_t>(newPatch);
    copy.editHead = db::kNoEdits;
    copy.smoothflag = 1;
    copy.kind = src.kind == db::kShapePolygon ? kPolygonCopy : kGridCopy;
    db.axisCount = newAxis + static_cast<std::int32_t>(src.axisTotal);
    db.patchCount = newPatch + static_cast<std::int32_t>(src.patchTotal);
    ++db.shapeCount;
    return kOk;
}

}  // namespace

void shiftFaceRuns(std::span<std::int32_t> entries, std::int64_t delta) {
    std::size_t pos = 0;
    while (pos < entries.size()) {
        const std::int64_t count = entries[pos++];
        if (count >= 0) continue;  // not a face count: carried as it is
        for (std::int64_t k = 0; k < -count && pos < entries.size(); ++k, ++pos)
            entries[pos] = static_cast<std::int32_t>(entries[pos] + delta);
    }
}

script::Result copyShape(db::Database& db, platform::MessageService& msg, int shape) {
    if (shape < 0 || shape >= db.shapeCount) {
        msg.internalError();
        return kFail;
    }
    const db::Shape src = db.shapes[shape];
    const bool explicitKind = src.kind == db::kShapePolygon || src.kind == db::kShapeGrid;
    if (!explicitKind && !(isParametric(src.kind) && isExpandable(src.kind))) {
        msg.internalError();
        return kFail;
    }
    // Everything the copy needs is checked before anything is appended.
    if (checkAffineSpace(db, msg) != kOk) return kFail;
    Mat4 own;
    if (!affineMatrix(db, msg, src.matrixId, own)) return kFail;

    if (explicitKind) {
        if (copyExplicit(db, msg, src) != kOk) return kFail;
    } else {
        if (generateGrid(db, msg, shape) != kOk) return kFail;
        db.shapes[db.shapeCount - 1].kind = kGridCopy;
    }
    const int made = db.shapeCount - 1;
    db.shapes[made].layer = kRetiredLayer;
    if (bakeShape(db, msg, made, multiply(own, db.geometry.current)) != kOk) return kFail;

    const db::Shape& copy = db.shapes[made];
    forEachEdit(db, src.editHead, [&](const db::EditRecord& e) {
        if (e.offset < 0 || static_cast<std::uint32_t>(e.offset) >= copy.axisTotal) return;
        Vec3& p = db.axes[copy.axisId + e.offset].wv;
        for (int c = 0; c < 3; ++c) p[c] += e.displacement[c];
    });
    return kOk;
}

}  // namespace rz::geometry
