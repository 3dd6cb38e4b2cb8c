#pragma once
// Drawing the model into the panes by a wireframe draw value: the shapes as iso-lines of
// their point grids or the edges of their faces, the boxes of the shapes or of the blocks,
// each record with the colour and raster operation its layer and the value's prefix give.
// Every shape is placed as the renderer places it (its own matrix, the current matrix, its
// block's transform). Nothing here allocates: parametric shapes are expanded at the free
// end of the stores and taken back.

#include "render/views.hpp"
#include "script/interp.hpp"

namespace rz::render {

// Asked after every shape of a drawing that runs on the view worker: false ends the drawing
// of shapes there (the rest of the drawing still happens).
struct ShapeGate {
    void* context = nullptr;
    bool (*next)(void* context) = nullptr;
};

struct WireRequest {
    int target = -1;               // layer filter
    int value = 0;                 // the wireframe draw value
    bool perspectiveOnly = false;  // parswire: the perspective first pane alone
    ShapeGate gate{};
};

// kOk, or kFail after the message: a value that draws nothing of the views, a shape that
// cannot be placed or expanded.
script::Result drawWireframe(Views& views, script::Interp& in, const WireRequest& request);

// The marker of bcurgen and bcurreg for the box s-e: drawn with XOR, so drawing it again
// takes it away. A marker that does not fit the stores has been reported and is not drawn.
void drawCursorMarker(Views& views, script::Interp& in, const Vec3& s, const Vec3& e);

}  // namespace rz::render
