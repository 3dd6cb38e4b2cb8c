#pragma once
// A new client size of the main window: the drawing layer's image follows it, and the view
// area becomes the largest 4:3 area whose frame fits inside with a small margin, so the
// panes keep their proportions at any window size.

#include "render/pane_layout.hpp"
#include "render/raster.hpp"
#include "render/views.hpp"
#include "script/interp.hpp"

namespace rz::render {

// The view area (windy.xpos, windy.ypos, windy.xwidth, windy.ywidth) for a client area:
// 4:3, centred across, near the top. A client area too small for any area gives the
// smallest one, cut by the image's edges when drawn.
ViewArea fitViewArea(int clientWidth, int clientHeight);

// Resizes the image (sides cut to what the drawing layer can hold, as at start-up), sets
// the view-area variables and lays the panes out again. Nothing is drawn: the caller
// repaints. On a status other than Ok the views are as they were.
ImageStatus resizeViews(Views& views, script::Interp& in, int clientWidth, int clientHeight);

}  // namespace rz::render
