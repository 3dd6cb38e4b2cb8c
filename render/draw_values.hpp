#pragma once
// The wireframe draw values: the units digit says what is drawn, the prefix how (colour and
// raster operation), by the layer of each record or for all of them alike.

#include <optional>

#include "db/system_variables.hpp"
#include "render/raster_types.hpp"

namespace rz::render {

enum class WireKind {
    Wire,  // every shape as iso-lines of its point grid or the edges of its faces
    Abox,  // the boxes of the blocks
    Bbox,  // the boxes of the shapes
    Pbox,  // accepted; nothing is drawn
};

enum class WireStyle {
    ByLayer,    // no prefix, G. and B.
    White,      // N.
    XorActive,  // X.
    AndWhite,   // A.
    OrActive,   // O.
};

struct WireValue {
    WireKind kind = WireKind::Wire;
    WireStyle style = WireStyle::ByLayer;
    bool regenerateBoxes = false;  // G.BBOX rebuilds the shape boxes, G.ABOX the abox, first
};

// The draw values that render an image rather than draw the views, and the one that draws
// nothing.
inline constexpr int kFirstRenderMode = 1;
inline constexpr int kLastRenderMode = 7;
inline constexpr int kNoDraw = 99;
constexpr bool isRenderMode(int value) {
    return value >= kFirstRenderMode && value <= kLastRenderMode;
}

// The wireframe draw value, or nothing for a value that is none.
std::optional<WireValue> wireValue(int value);

// Layer states.
inline constexpr int kLayerNormal = 0;
inline constexpr int kLayerHide = 2;
inline constexpr int kLayerGuide = 10;
inline constexpr int kLayerSelect = 100;

// What a record of this layer is drawn with: a palette colour and a raster operation;
// nothing for a hidden record.
struct WirePen {
    db::WireColour colour = db::WireColour::White;
    RasterOp op = RasterOp::Copy;
};
std::optional<WirePen> wirePen(WireStyle style, int layer);

// The layer filter of the draw commands: below 0 every layer, 100 every layer from 100 on,
// otherwise that layer only.
constexpr bool passesLayerFilter(int target, int layer) {
    if (target < 0) return true;
    if (target == kLayerSelect) return layer >= kLayerSelect;
    return layer == target;
}

}  // namespace rz::render
