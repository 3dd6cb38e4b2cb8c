#pragma once
// The layer states of shapes and blocks, the browse selection that steps through shapes or
// block groups and highlights them, and the request the selection commands send to the
// views after a change. The database keeps the browse state so that it lives as long as
// the model does; the views install the redraw hook when they start.

#include <cstdint>

namespace rz::script {
struct Interp;
}

namespace rz::db {

// Layer states; L.SELECT is added to a state while the record is highlighted.
inline constexpr std::uint8_t kLayerNormal = 0;
inline constexpr std::uint8_t kLayerActive = 1;
inline constexpr std::uint8_t kLayerHidden = 2;
inline constexpr std::uint8_t kLayerGuide = 10;
inline constexpr std::uint8_t kLayerSelect = 100;

// What the views are asked to draw after a layer change: the highlighted records (layer
// L.SELECT and above) with a wireframe draw value, after clearing the view area and drawing
// the whole wireframe when `clearFirst` is set.
struct LayerRedraw {
    int value = 0;
    bool clearFirst = false;
};
using LayerRedrawHook = void (*)(script::Interp&, LayerRedraw);

// The draw values of the redraw requests.
inline constexpr int kRedrawNormal = 0;
inline constexpr int kRedrawToggled = 100;
inline constexpr int kRedrawErase = 210;
inline constexpr int kRedrawHighlight = 220;

struct SelectionState {
    std::int32_t faceCursor = 0;   // the shape under the face browse
    std::int32_t blockCursor = 0;  // the first shape of the group under the block browse
    std::int32_t blockNumber = 0;  // that group's block
    std::int32_t groupFirst = 0;   // the highlighted block group
    std::int32_t groupLast = 0;
    std::int32_t selectLayer = 0;  // the layer set.select gave the highlighted records
    LayerRedrawHook redraw = nullptr;
};

// One entry of the joint walks of posing and boxing figures: a rigid and the block reached
// over it.
struct JointTask {
    std::int32_t rigid = 0;
    std::int32_t block = 0;
};

}  // namespace rz::db
