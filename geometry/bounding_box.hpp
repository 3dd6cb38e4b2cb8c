#pragma once
// Shape, block and all-shapes bounding boxes. Shape boxes are in the shape's own
// coordinates; block boxes and the all-shapes box (the abox, which the box cursor is fitted
// to) are in world coordinates.

#include "db/database.hpp"
#include "platform/message_service.hpp"
#include "script/tokens.hpp"

namespace rz::geometry {

// The empty-box sentinels of block boxes.
inline constexpr float kBlockBoxSentinel = 1e16f;

// Rebuilds one shape's box: a parametric shape from its expansion passed through the
// current matrix, an explicit one from its axes as stored.
script::Result shapeBox(db::Database& db, platform::MessageService& msg, int shape);

// Widens block b's box by the boxes of its shapes, all eight corners of each taken through
// the shape's own matrix and the current matrix, so the box holds under mirroring and
// turning too. Boxes only grow here.
script::Result updateBlockBox(db::Database& db, platform::MessageService& msg, int block);

// Every shape's box; stops at the first shape whose expansion is refused.
script::Result generateShapeBoxes(db::Database& db, platform::MessageService& msg);

// Every block's box from the sentinels; a block without shapes keeps them.
script::Result generateBlockBoxes(db::Database& db, platform::MessageService& msg);

// The abox back to empty, starting from +sentinel (min) and -sentinel (max).
void resetAbox(db::BoxCursorState& cursor, float sentinel = db::kAboxSentinel);

// Widens the abox by the shape as it is placed in the world: its own matrix, the current
// matrix and its block's transform. Like every placement it leaves the rotation centre at
// the block's centre.
script::Result shapeWorldBox(db::Database& db, platform::MessageService& msg, int shape);

// Which shapes an abox is taken over, as the draw commands filter layers: -1 every shape,
// 100 every selected one (layer 100 and above), any other value that one layer.
inline constexpr int kEveryLayer = -1;
constexpr bool inLayerFilter(int layer, int filter) {
    return filter == kEveryLayer || (filter == 100 ? layer >= 100 : layer == filter);
}

// The abox from empty over the shapes of the filter; stops at the first refused expansion.
script::Result generateAbox(db::Database& db, platform::MessageService& msg,
                            int layerFilter = kEveryLayer);

// The abox as the union of the boxes of the blocks on the active layer (a figure of joined
// blocks), from the block-box sentinels.
void aboxOfActiveBlocks(db::Database& db);

}  // namespace rz::geometry
