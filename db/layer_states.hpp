#pragma once
// The layer states of shapes and blocks changed in bulk, the highlight of the browse
// selection, and the block groups the browse steps through: consecutive shapes of one block.

#include <cstdint>
#include <span>

#include "db/database.hpp"

namespace rz::db {

// The blocks in use, never more than the store holds.
std::span<Block> liveBlocks(Database& db);

// rev.layer: 0 and 1 swap on every shape and block.
void reverseLayers(Database& db);
// hide.layer: 0 becomes hidden on every shape and block.
void hideLayers(Database& db);
// set.layer: every shape, and every block but block 0, that is not a guide takes `layer`,
// except that hidden records stay hidden when `layer` is 0.
void setLayers(Database& db, std::uint8_t layer);
// set.select: every highlighted shape and block takes `layer` + L.SELECT.
void setSelectLayers(Database& db, std::uint8_t layer);
// reset.select: the highlight comes off every shape; blocks keep theirs.
void resetSelectLayers(Database& db);

// A highlight is added once and taken off once, so a state never leaves its byte.
constexpr bool highlighted(std::uint8_t layer) {
    return layer >= kLayerSelect;
}
constexpr void highlight(std::uint8_t& layer) {
    if (!highlighted(layer)) layer += kLayerSelect;
}
constexpr void unhighlight(std::uint8_t& layer) {
    if (highlighted(layer)) layer -= kLayerSelect;
}

// The block group that holds a shape of `shapes`: its first and last shape.
struct ShapeGroup {
    std::int32_t first = 0;
    std::int32_t last = 0;
};
ShapeGroup groupAround(std::span<const Shape> shapes, std::int32_t shape);

}  // namespace rz::db
