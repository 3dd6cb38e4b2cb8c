#pragma once
// Laying the panes out from the window variables, and repainting the view area by a clear
// mode: backgrounds, frames, grids and legends. The model is drawn by the draw commands.

#include "render/views.hpp"
#include "script/interp.hpp"

namespace rz::render {

// Clear modes (WINDY.DRAW ... PLANE.4.CLEAR).
inline constexpr int kWindyDraw = 0;
inline constexpr int kAllClear = 1;
inline constexpr int kPlaneClear = 2;
inline constexpr int kPlane1Clear = 11;
inline constexpr int kPlane4Clear = 14;
constexpr bool isClearMode(int mode) {
    return mode == kWindyDraw || mode == kAllClear || mode == kPlaneClear ||
           (mode >= kPlane1Clear && mode <= kPlane4Clear);
}

// The panes of winmode over the view area windy.*, with the world windows of the zoom
// factor around w.center. A winmode that is none is an internal error: it becomes PARS.MODE.
void layoutViews(Views& views, script::Interp& in);

// The frame around the view area, and the area inside it, for a view area.
Rect viewAreaFrame(const ViewArea& area);
Rect viewAreaInside(const ViewArea& area);
ViewArea viewArea(script::Interp& in);

void repaint(Views& views, script::Interp& in, int clearMode);

}  // namespace rz::render
