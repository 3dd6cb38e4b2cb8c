#include "geometry/block_transform.hpp"

#include "geometry/affine_slots.hpp"
#include "geometry/geometry_messages.hpp"
#include "geometry/matrix_stack.hpp"
#include "script/tokens.hpp"

namespace rz::geometry {
namespace {

using script::kFail;
using script::kOk;
using script::Result;

bool blockExists(const db::Database& db, int block) {
    return block >= 0 && block < db.blockCount && block < static_cast<int>(db.blocks.size());
}

// T(-c) * B * T(c) * T(t) of a block.
Mat4 blockTransform(const db::Block& b) {
    const Vec3d c = widen(b.center);
    return multiply(multiply(multiply(translation(c * -1.0), b.matrix), translation(c)),
                    translation(widen(b.trans)));
}

}  // namespace

script::Result getBlockAffines(db::Database& db, platform::MessageService& msg, int block) {
    if (block == 0 || !blockExists(db, block)) {
        msg.internalError(msg::kInGetBlockAffines);
        return kFail;
    }
    db.geometry.current = db.blocks[block].matrix;
    return kOk;
}

script::Result putBlockAffines(db::Database& db, platform::MessageService& msg, int block) {
    if (!blockExists(db, block)) {
        msg.errorBox(msg::kAffineFull);
        return kFail;
    }
    db.blocks[block].matrix = db.geometry.current;
    return kOk;
}

script::Result setBlockTransform(db::Database& db, platform::MessageService& msg, int block) {
    if (!blockExists(db, block)) {
        msg.internalError();
        return kFail;
    }
    const db::Block& b = db.blocks[block];
    db.geometry.center = b.center;
    db.geometry.current = multiply(db.geometry.current, blockTransform(b));
    return kOk;
}

script::Result beginShapePlacement(db::Database& db, platform::MessageService& msg, int shape) {
    if (shape < 0 || shape >= db.shapeCount) {
        msg.internalError();
        return kFail;
    }
    const db::Shape& s = db.shapes[shape];
    Mat4 own;
    if (!affineMatrix(db, msg, s.matrixId, own)) return kFail;
    if (!blockExists(db, static_cast<int>(s.shapeId))) {
        msg.internalError();
        return kFail;
    }
    // The placement saves the current matrix and then the composed one while the block's
    // transform is built, so it needs two levels even though one stays pushed.
    if (!stackRoomFor(db.geometry, msg, 2) || pushMatrix(db.geometry, msg) != kOk) return kFail;
    if (s.matrixId != 0) db.geometry.current = multiply(own, db.geometry.current);
    return setBlockTransform(db, msg, static_cast<int>(s.shapeId));
}

script::Result endShapePlacement(db::Database& db, platform::MessageService& msg) {
    if (db.geometry.depth <= 0) {
        msg.errorBox(msg::kStackUnderflow);
        return kFail;
    }
    db.geometry.current = kIdentity;
    return popMatrix(db.geometry, msg);
}

}  // namespace rz::geometry
