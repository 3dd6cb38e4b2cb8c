#pragma once
// The affine store: the matrices that shapes refer to by sh.matrix.id. Slot 0 is the
// permanent identity and is never written; a slot at or beyond the capacity is refused.

#include "db/database.hpp"
#include "platform/message_service.hpp"
#include "script/tokens.hpp"

namespace rz::geometry {

// Slot i = current matrix.
script::Result storeAffineSlot(db::Database& db, platform::MessageService& msg, int i);
// Current matrix = slot i.
script::Result loadAffineSlot(db::Database& db, platform::MessageService& msg, int i);
// Slot i = identity.
script::Result resetAffineSlot(db::Database& db, platform::MessageService& msg, int i);
// Claims the next free slot, set to the identity; its number in `slot`.
script::Result newAffineSlot(db::Database& db, platform::MessageService& msg, int& slot);
// The matrix of slot i for reading: slot 0 (and any slot a shape without a matrix names)
// is the identity. False after the store-full message for a slot beyond the store.
bool affineMatrix(const db::Database& db, platform::MessageService& msg, int i, Mat4& out);

}  // namespace rz::geometry
