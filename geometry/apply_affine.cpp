#include "geometry/apply_affine.hpp"

#include <algorithm>

#include "db/capacity.hpp"
#include "geometry/affine_slots.hpp"
#include "geometry/bounding_box.hpp"
#include "geometry/expand_shape.hpp"
#include "geometry/geometry_messages.hpp"
#include "geometry/shape_transform.hpp"
#include "math/matrix_math.hpp"
#include "script/tokens.hpp"

namespace rz::geometry {
namespace {

using script::kFail;
using script::kOk;
using script::Result;

constexpr std::uint8_t kActiveLayer = 1;

bool taken(Selection which, std::uint8_t layer) {
    return which == Selection::All || layer == kActiveLayer;
}

// slot = slot * current. The composition needs two levels of the matrix stack. A shape
// that has no slot of its own gets one: slot 0 is the shared identity and is never written.
script::Result throughMatrixSlot(db::Database& db, platform::MessageService& msg, db::Shape& s) {
    if (db.geometry.depth + 2 > db::kMatrixStackDepth) {
        msg.errorBox(msg::kStackOverflow);
        return kFail;
    }
    if (s.matrixId == 0) {
        int slot = 0;
        if (newAffineSlot(db, msg, slot) != kOk) return kFail;
        s.matrixId = static_cast<std::uint16_t>(slot);
    }
    if (s.matrixId >= affineCapacity(db)) {
        msg.errorBox(msg::kAffineFull);
        return kFail;
    }
    db.affines[s.matrixId] = multiply(db.affines[s.matrixId], db.geometry.current);
    return kOk;
}

// One past the last record of a store that exists.
int blockEnd(const db::Database& db) {
    return std::min<int>(db.blockCount, static_cast<int>(db.blocks.size()));
}
int rigidEnd(const db::Database& db) {
    return std::min<int>(db.rigidCount, static_cast<int>(db.rigids.size()));
}

Vec3 backupOfPos(const db::Rigid& r) {
    return {r.reserved[0], r.reserved[1], r.reserved[2]};
}
Vec3 backupOfOld(const db::Rigid& r) {
    return {r.reserved[3], r.reserved[4], r.reserved[5]};
}

}  // namespace

script::Result affineShapes(db::Database& db, platform::MessageService& msg, Selection which) {
    const Mat4 m = db.geometry.current;
    for (int i = 0; i < db.shapeCount; ++i) {
        db::Shape& s = db.shapes[i];
        if (!taken(which, s.layer)) continue;
        flipFacing(s, db.geometry.mirrorCount);
        if (isParametric(s.kind)) {
            if (throughMatrixSlot(db, msg, s) != kOk) return kFail;
        } else {
            transformShapeAxes(db, s, m);
        }
        if (static_cast<std::int64_t>(s.shapeId) < blockEnd(db) &&
            updateBlockBox(db, msg, static_cast<int>(s.shapeId)) != kOk)
            return kFail;
    }
    db.geometry.mirrorCount = 0;
    return kOk;
}

// Block 0 is reserved and owns nothing: it is left alone.
void affineBlocks(db::Database& db, Selection which) {
    for (int i = 1; i < blockEnd(db); ++i) {
        db::Block& b = db.blocks[i];
        if (!taken(which, b.layer)) continue;
        b.reserved1 = b.trans;
        b.trans = transformPoint(b.trans, db.geometry.current);
    }
}

void cancelAffineBlocks(db::Database& db, Selection which) {
    for (int i = 1; i < blockEnd(db); ++i) {
        db::Block& b = db.blocks[i];
        if (taken(which, b.layer)) b.trans = b.reserved1;
    }
}

void affineRigids(db::Database& db, Selection which) {
    for (int i = 0; i < rigidEnd(db); ++i) {
        db::Rigid& r = db.rigids[i];
        if (!taken(which, r.layer)) continue;
        std::copy(r.pos.begin(), r.pos.end(), r.reserved.begin());
        std::copy(r.old.begin(), r.old.end(), r.reserved.begin() + 3);
        r.pos = transformPoint(r.pos, db.geometry.current);
        r.old = transformPoint(r.old, db.geometry.current);
    }
}

void cancelAffineRigids(db::Database& db, Selection which) {
    for (int i = 0; i < rigidEnd(db); ++i) {
        db::Rigid& r = db.rigids[i];
        if (!taken(which, r.layer)) continue;
        r.pos = backupOfPos(r);
        r.old = backupOfOld(r);
    }
}

}  // namespace rz::geometry
