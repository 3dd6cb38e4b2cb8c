#pragma once
// The box cursor under the mouse: what a left-button press, a drag with the button held and
// the release do in the views, by the interaction mode. The views turn the mouse into a
// PaneMouse (which pane, and for an orthographic pane the world point under the mouse) and
// call these; each leaves box.s, box.e, g.pos and the mode as the commands would, and calls
// the cursor's redraw hook when the cursor changed.

#include <optional>

#include "db/box_cursor_state.hpp"
#include "geometry/grid_point.hpp"
#include "geometry/pane_projector.hpp"
#include "script/interp.hpp"

namespace rz::geometry {

struct PaneMouse {
    int pane = 0;                        // which of the cursor's panes (0..3)
    int displayMode = kPerspectivePane;  // the pane's: 2 perspective, 3 XY, 4 YZ, 5 XZ
    db::ScreenPoint pixel;               // the mouse, in the pixels the projector gives
    Vec3 world{};                        // orthographic panes: the world point under the mouse
    const PaneProjector* projector = nullptr;  // the pane's projection (the perspective
                                               // pane's grid search needs it)
};

// Handles and the direction marker are grabbed within these many pixels in x and y.
inline constexpr double kHandleReach = 4.0;
inline constexpr double kMarkerReach = 6.0;

// The grid settings of the grid.* variables.
GridSettings gridSettings(script::Interp& in);

// The grid point under the mouse as a mouse step sees it (g.pos itself is left alone).
// Nothing when the pane cannot give one.
std::optional<Vec3> gridPointUnderMouse(script::Interp& in, const PaneMouse& m);

// A left-button press; m is null when the mouse is outside every pane.
void cursorPress(script::Interp& in, const PaneMouse* m);
// A mouse step with the button held; true when the cursor moved.
bool cursorDrag(script::Interp& in, const PaneMouse& m);
// The button's release.
void cursorRelease(script::Interp& in);

// Runs the views' redraw hook, if they installed one.
void redrawCursor(script::Interp& in);

}  // namespace rz::geometry
