#pragma once

#include "db/database.hpp"
#include "platform/message_service.hpp"

namespace rz::geometry {

// Index of the n-th shape (from 1, in store order) of the block; 0 after its message when
// the block has fewer shapes.
int searchShapeId(const db::Database& db, platform::MessageService& msg, int block, int n);

}  // namespace rz::geometry
