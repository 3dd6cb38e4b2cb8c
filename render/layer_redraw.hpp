#pragma once
// The views' side of the layer commands' redraw request: the highlighted records drawn
// with the draw value asked for, after a cleared view area and the whole wireframe when the
// request says so. Installed as the selection's redraw hook when the views start.

#include "db/selection_state.hpp"
#include "script/interp.hpp"

namespace rz::render {

void redrawLayers(script::Interp& in, db::LayerRedraw request);

}  // namespace rz::render
