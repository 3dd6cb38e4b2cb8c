#pragma once
// Block transforms and the placement of a shape: its own matrix first, then the matrix
// that was current, then its block's transform (rotation b.matrix about b.center.v, then
// the displacement b.trans.v).

#include "db/database.hpp"
#include "platform/message_service.hpp"
#include "script/tokens.hpp"

namespace rz::geometry {

// Current matrix = b.matrix of block b; block 0 and blocks beyond the count are refused.
script::Result getBlockAffines(db::Database& db, platform::MessageService& msg, int block);
// b.matrix of block b = current matrix.
script::Result putBlockAffines(db::Database& db, platform::MessageService& msg, int block);
// Rotation centre = b.center.v (and it stays so); current = current * T(-c) * B * T(c) * T(t).
script::Result setBlockTransform(db::Database& db, platform::MessageService& msg, int block);

// Saves the current matrix on the stack and makes the current matrix the placement of
// the shape; endShapePlacement brings the saved matrix back.
script::Result beginShapePlacement(db::Database& db, platform::MessageService& msg, int shape);
script::Result endShapePlacement(db::Database& db, platform::MessageService& msg);

}  // namespace rz::geometry
