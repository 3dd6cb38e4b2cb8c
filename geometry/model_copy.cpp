#include "geometry/model_copy.hpp"

#include <algorithm>
#include <array>

#include "db/capacity.hpp"
#include "db/model_commands.hpp"
#include "db/undo_point.hpp"
#include "geometry/block_capacity.hpp"
#include "geometry/bounding_box.hpp"
#include "geometry/copy_shape.hpp"
#include "script/interp.hpp"

namespace rz::geometry {
namespace {

using script::kFail;
using script::kOk;
using script::Result;

bool isExplicit(std::uint8_t kind) {
    return kind <= db::kLastExplicitKind;
}

// What the copies need in every store.
struct Need {
    std::int64_t axes = 0;
    std::int64_t patches = 0;
    std::int64_t shapes = 0;
    std::int64_t blocks = 0;
};

// The copies open a new block at the first shape and wherever the source block changes.
template <class F>
void forEachSelected(const db::Database& db, std::int32_t count, int layer, F&& f) {
    bool first = true;
    std::uint32_t previous = 0;
    for (std::int32_t i = 0; i < count; ++i) {
        const db::Shape& s = db.shapes[static_cast<std::size_t>(i)];
        if (layer == 1 && s.layer != 1) continue;
        f(i, first || s.shapeId != previous);
        first = false;
        previous = s.shapeId;
    }
}

bool insideStores(const db::Database& db, const db::Shape& s) {
    return std::int64_t{s.axisId} + s.axisTotal <= db.axisCount &&
           (!isExplicit(s.kind) || std::int64_t{s.patchId} + s.patchTotal <= db.patchCount);
}

void openBlock(db::Database& db, std::uint32_t source) {
    const std::int32_t b = std::max(db.blockCount, 1);
    db::Block& block = db.blocks[static_cast<std::size_t>(b)];
    const bool known = source < static_cast<std::uint32_t>(db.blockCount);
    block = known ? db.blocks[source] : db::Block{};
    block.rlinkId = -1;  // the copies are free parts: joints stay with the originals
    block.layer = 1;
    if (known) db.blocks[source].layer = 0;
    db.blockCount = b + 1;
}

script::Result copyOne(db::Database& db, platform::MessageService& msg, std::int32_t i) {
    const db::Shape src = db.shapes[static_cast<std::size_t>(i)];
    db::Shape copy = src;
    copy.shapeId = static_cast<std::uint32_t>(db.blockCount - 1);
    copy.editHead = db::kNoEdits;

    copy.axisId = static_cast<std::uint32_t>(db.axisCount);
    std::copy_n(db.axes.begin() + src.axisId, src.axisTotal, db.axes.begin() + db.axisCount);
    db.axisCount += static_cast<std::int32_t>(src.axisTotal);

    copy.patchId = static_cast<std::uint32_t>(db.patchCount);
    copy.patchTotal = isExplicit(src.kind) ? src.patchTotal : 0;
    std::copy_n(db.patches.begin() + src.patchId, copy.patchTotal,
                db.patches.begin() + db.patchCount);
    if (db::hasFaceRuns(src.kind))
        shiftFaceRuns({db.patches.data() + db.patchCount, copy.patchTotal},
                      std::int64_t{copy.axisId} - src.axisId);
    db.patchCount += static_cast<std::int32_t>(copy.patchTotal);

    // Every copy owns its matrix, so that moving one never moves the other.
    const std::int32_t slot = std::max(db.affineCount, 1);
    db.affines[static_cast<std::size_t>(slot)] =
        src.matrixId < db.affineCount ? db.affines[src.matrixId] : kIdentity;
    db.affineCount = slot + 1;
    copy.matrixId = static_cast<std::uint16_t>(slot);

    db.shapes[static_cast<std::size_t>(db.shapeCount)] = copy;
    ++db.shapeCount;
    db.shapes[static_cast<std::size_t>(i)].layer = 0;
    if (isExplicit(src.kind)) return shapeBox(db, msg, db.shapeCount - 1);
    return kOk;
}

script::Result cmdMdlcopy(script::Interp& in) {
    int layer = 1;
    if (db::layerArgument(in, layer) != kOk) return kFail;
    return copyShapes(*in.db, in.msg, layer);
}

const std::array<script::CommandRow, 1> kCommands{{
    {"mdlcopy", cmdMdlcopy},
}};

}  // namespace

script::Result copyShapes(db::Database& db, platform::MessageService& msg, int layer) {
    db::takeUndoPoint(db);
    const std::int32_t count = static_cast<std::int32_t>(
        std::clamp<std::int64_t>(db.shapeCount, 0, static_cast<std::int64_t>(db.shapes.size())));
    Need need;
    bool valid = true;
    forEachSelected(db, count, layer, [&](std::int32_t i, bool opens) {
        const db::Shape& s = db.shapes[static_cast<std::size_t>(i)];
        valid = valid && insideStores(db, s);
        need.axes += s.axisTotal;
        need.patches += isExplicit(s.kind) ? s.patchTotal : 0;
        ++need.shapes;
        need.blocks += opens ? 1 : 0;
    });
    if (!valid) {
        msg.internalError(" ... in mdlcopy\n");
        return kFail;
    }
    if (need.shapes == 0) return kOk;
    // Everything is checked before the first copy, so a refusal changes nothing.
    if (db::checkModelSpace(db, msg, need.axes, need.patches, need.shapes) != kOk) return kFail;
    if (db::checkShapeSpace(db, msg, need.shapes, need.axes, need.shapes) != kOk) return kFail;
    if (std::max(db.blockCount, 1) + need.blocks > blockCapacity(db)) {
        reportBlockStoreFull(msg, blockCapacity(db));
        return kFail;
    }

    Result r = kOk;
    forEachSelected(db, count, layer, [&](std::int32_t i, bool opens) {
        if (r != kOk) return;
        if (opens) openBlock(db, db.shapes[static_cast<std::size_t>(i)].shapeId);
        r = copyOne(db, msg, i);
    });
    return r;
}

std::span<const script::CommandRow> modelCopyCommands() {
    return kCommands;
}

}  // namespace rz::geometry
