#include "geometry/primitives.hpp"

#include <algorithm>
#include <cstdio>
#include <limits>

#include "db/capacity.hpp"
#include "db/undo_point.hpp"
#include "geometry/affine_slots.hpp"
#include "geometry/block_capacity.hpp"
#include "geometry/bounding_box.hpp"
#include "geometry/geometry_messages.hpp"
#include "script/messages.hpp"
#include "script/tokens.hpp"

namespace rz::geometry {
namespace {

using script::kFail;
using script::kOk;
using script::Result;
using enum PrimKind;

// In b.cursor.code order.
constexpr std::array<PrimKindRow, kPrimKindCount> kPrimKinds{{
    {Box2, generateBox2, false, false},
    {Box3, generateBox3, false, false},
    {Corn1, generateCorn1, true, true},
    {Cyl1, generateCyl1, true, true},
    {Corn4, generateCorn4, true, true},
    {Cyl4, generateCyl4, true, true},
    {Ball1, generateBall1, true, false},
    {Ball8, generateBall8, true, false},
    {Torus1, generateTorus1, true, true},
    {Torus4, generateTorus4, true, true},
    {T1Torus1, generateT1Torus1, true, true},
    {T1Torus4, generateT1Torus4, true, true},
    {T2Torus1, generateT2Torus1, true, true},
    {T2Torus4, generateT2Torus4, true, true},
    {Ball4, generateBall4, true, true},
    {GridPlane, generateGridPlane, true, false},
}};

constexpr bool inCodeOrder() {
    for (std::size_t i = 0; i < kPrimKinds.size(); ++i)
        if (static_cast<std::size_t>(kPrimKinds[i].kind) != i) return false;
    return true;
}
static_assert(inCodeOrder());

bool curved(std::uint8_t kind) {
    return kind == db::kShapeBall || kind == db::kShapeRevolve || kind == db::kShapeDisc ||
           kind == db::kShapeRing;
}

// Appends the plan's shapes to block `block`, each with its own identity matrix and its
// box; all or nothing. kFail after the store-full message.
script::Result addShapes(db::Database& db, platform::MessageService& msg, const ShapePlan& plan,
                         int block, std::uint8_t layer) {
    const auto shapes = static_cast<std::int64_t>(plan.shapes().size());
    if (checkShapeSpace(db, msg, shapes, plan.axes(), shapes) != kOk) return kFail;
    const std::int32_t firstShape = db.shapeCount;
    for (const PlannedShape& planned : plan.shapes()) {
        int slot = 0;
        if (newAffineSlot(db, msg, slot) != kOk) return kFail;
        db::Shape s;
        s.shapeId = static_cast<std::uint32_t>(block);
        s.axisId = static_cast<std::uint32_t>(db.axisCount);
        s.axisTotal = static_cast<std::uint32_t>(parameterAxes(planned.kind));
        s.matrixId = static_cast<std::uint16_t>(slot);
        s.layer = layer;
        s.kind = planned.kind;
        s.lrflag = planned.lrflag;
        s.smoothflag = curved(planned.kind) ? 1 : 0;
        const auto put = [&](const Packed& p) {
            db.axes[db.axisCount++] = {{p[0], p[1], p[2]}, {p[3], p[4], p[5]}, p[6], p[7]};
        };
        put(planned.a);
        if (s.axisTotal > 1) put(planned.b);
        db.shapes[db.shapeCount++] = s;
    }
    // A box comes from the shape's expansion, which needs room at the end of the stores.
    for (std::int32_t i = firstShape; i < db.shapeCount; ++i)
        if (shapeBox(db, msg, i) != kOk) return kFail;
    return kOk;
}

}  // namespace

const PrimKindRow* primKindRow(int code) {
    if (code < 0 || code >= kPrimKindCount) return nullptr;
    return &kPrimKinds[static_cast<std::size_t>(code)];
}

script::Result createPrimitive(db::Database& db, platform::MessageService& msg, int code,
                               const PrimitiveInput& in, std::uint8_t layer) {
    const PrimKindRow* row = primKindRow(code);
    // A division count below 1 gives nothing to draw, and an axis other than X, Y or Z
    // has no revolution to follow.
    if (row == nullptr || (row->needsDivisions && in.div < 1) ||
        (row->needsAxis && (in.direc < 1 || in.direc > 3))) {
        msg.errorBox(script::msg::kValueNotCorrect);
        return kFail;
    }
    // Block 0 is reserved: even a count lowered to 0 makes block 1 next.
    const std::int32_t block = std::max(db.blockCount, 1);
    if (block >= blockCapacity(db)) {
        reportBlockStoreFull(msg, blockCapacity(db));
        return kOk;
    }

    db::takeUndoPoint(db);
    ShapePlan plan;
    row->generate(in, plan);
    if (addShapes(db, msg, plan, block, layer) != kOk) {
        // Nothing of a primitive that does not fit stays; its block is still made.
        db.axisCount = db.undoPoint.axis;
        db.shapeCount = db.undoPoint.shape;
        db.affineCount = db.undoPoint.affine;
    }

    db::Block& b = db.blocks[block];
    b = db::Block{};  // a slot left by a removed block keeps its old transform
    b.xyzmin.fill(kBlockBoxSentinel);
    b.xyzmax.fill(-kBlockBoxSentinel);
    b.layer = layer;
    // A box that cannot be had was reported; the block stays, with its box empty.
    static_cast<void>(updateBlockBox(db, msg, block));
    std::snprintf(b.name.data(), b.name.size(), "Block(%d)", block);
    db.blockCount = block + 1;
    return kOk;
}

}  // namespace rz::geometry
