#pragma once
// Applying the current matrix to the model: to shapes (the affine command), to block
// displacements and to joint points, each of the latter with a backup to cancel it.

#include "db/database.hpp"
#include "platform/message_service.hpp"
#include "script/tokens.hpp"

namespace rz::geometry {

// Which records an operation takes: all of them, or those whose layer is 1 (L.ACTIVE).
enum class Selection { All, Active };

// Parametric shapes take the current matrix into their matrix slot, explicit ones into
// their axes; the facing flips with an odd mirror count, which is then cleared. Block boxes
// grow to follow.
script::Result affineShapes(db::Database& db, platform::MessageService& msg, Selection which);

// b.trans.v through the current matrix, the old value kept for cancelling.
void affineBlocks(db::Database& db, Selection which);
void cancelAffineBlocks(db::Database& db, Selection which);

// rigid.pos.v and rigid.old.v through the current matrix, the old values kept.
void affineRigids(db::Database& db, Selection which);
void cancelAffineRigids(db::Database& db, Selection which);

}  // namespace rz::geometry
