#include "db/layer_states.hpp"

#include <algorithm>

#include "db/record_commands_common.hpp"

namespace rz::db {
namespace {

// Every shape and every block from `firstBlock` on.
template <class F>
void forEachLayer(Database& db, std::int32_t firstBlock, F f) {
    for (Shape& s : liveShapes(db)) f(s.layer);
    const std::span<Block> blocks = liveBlocks(db);
    for (std::size_t b = std::clamp<std::size_t>(firstBlock, 0, blocks.size()); b < blocks.size();
         ++b)
        f(blocks[b].layer);
}

}  // namespace

std::span<Block> liveBlocks(Database& db) {
    const auto n =
        std::clamp<std::int64_t>(db.blockCount, 0, static_cast<std::int64_t>(db.blocks.size()));
    return {db.blocks.data(), static_cast<std::size_t>(n)};
}

void reverseLayers(Database& db) {
    forEachLayer(db, 0, [](std::uint8_t& l) {
        if (l == kLayerNormal || l == kLayerActive) l = kLayerActive - l;
    });
}

void hideLayers(Database& db) {
    forEachLayer(db, 0, [](std::uint8_t& l) {
        if (l == kLayerNormal) l = kLayerHidden;
    });
}

void setLayers(Database& db, std::uint8_t layer) {
    forEachLayer(db, 1, [layer](std::uint8_t& l) {
        if (l == kLayerGuide || (layer == kLayerNormal && l == kLayerHidden)) return;
        l = layer;
    });
}

void setSelectLayers(Database& db, std::uint8_t layer) {
    forEachLayer(db, 0, [layer](std::uint8_t& l) {
        if (highlighted(l)) l = static_cast<std::uint8_t>(layer + kLayerSelect);
    });
}

void resetSelectLayers(Database& db) {
    for (Shape& s : liveShapes(db)) unhighlight(s.layer);
}

ShapeGroup groupAround(std::span<const Shape> shapes, std::int32_t shape) {
    const std::uint32_t block = shapes[shape].shapeId;
    ShapeGroup g{shape, shape};
    while (g.first > 0 && shapes[g.first - 1].shapeId == block) --g.first;
    while (g.last + 1 < static_cast<std::int32_t>(shapes.size()) &&
           shapes[g.last + 1].shapeId == block)
        ++g.last;
    return g;
}

}  // namespace rz::db
