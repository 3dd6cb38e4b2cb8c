#pragma once
// Shape and block bounding boxes, as far as the matrix commands keep them up to date.

#include "db/database.hpp"
#include "platform/message_service.hpp"
#include "script/tokens.hpp"

namespace rz::geometry {

// The empty-box sentinels of block boxes.
inline constexpr float kBlockBoxSentinel = 1e16f;

// Rebuilds one shape's box: a parametric shape from its expansion passed through the
// current matrix, an explicit one from its axes as stored.
script::Result shapeBox(db::Database& db, platform::MessageService& msg, int shape);

// Widens block b's box by the boxes of its shapes, their corners taken through the shape's
// own matrix and the current matrix. Boxes only grow here.
script::Result updateBlockBox(db::Database& db, platform::MessageService& msg, int block);

}  // namespace rz::geometry
