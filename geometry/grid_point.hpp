#pragma once
// Grid points under the mouse: the views' grid as the block tools snap to it. An
// orthographic pane takes the mouse's two coordinates in its plane; the perspective pane
// picks the grid point whose projection lies nearest the mouse.

#include <optional>

#include "db/box_cursor_state.hpp"
#include "geometry/pane_projector.hpp"
#include "math/value_types.hpp"

namespace rz::geometry {

// Pane display modes.
inline constexpr int kPerspectivePane = 2;
inline constexpr int kXYPane = 3;
inline constexpr int kYZPane = 4;
inline constexpr int kXZPane = 5;

// The grid as the grid.* variables give it.
struct GridSettings {
    Vec3 center{};
    double size = 20000.0;  // half side of the square
    double step = 500.0;
    int plane = 3;     // of the perspective pane: 1 XY, 2 ZY, 3 XZ
    bool snap = true;  // grid.sw 1
};

// A perspective search visits (n + 1)^2 points, n = trunc(2 size / step); beyond this n the
// grid is too fine to search on a mouse step and no point is found.
inline constexpr int kMaxGridDivisions = 1000;

// Which coordinates a pane's plane holds: XY x and y, YZ y and z, XZ x and z, any other all.
std::array<bool, 3> paneCoordinates(int displayMode);
// The same for the perspective grid plane: 1 x and y, 2 y and z, 3 x and z, any other all.
std::array<bool, 3> gridPlaneCoordinates(int plane);

// The cursor centre with the pane's two plane coordinates taken from the world point,
// snapped to the grid lines through grid.center when snapping is on.
Vec3 orthoGridPoint(const Vec3& cursorCentre, int displayMode, const Vec3& world,
                    const GridSettings& grid);

// The point of the grid plane whose projection is nearest the mouse (sum of the pixel
// distances; the first found wins a tie). Nothing when no point can be projected or the
// grid cannot be searched.
std::optional<Vec3> perspectiveGridPoint(const GridSettings& grid, const PaneProjector& projector,
                                         const db::ScreenPoint& mouse);

}  // namespace rz::geometry
