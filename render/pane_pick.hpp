#pragma once
// From a pixel of the view area back to the world: which pane holds it, and the world
// point it shows on that pane's plane. The mouse tools turn the pointer into g.pos this way
// and then work in world coordinates.

#include <optional>

#include "math/value_types.hpp"
#include "render/camera_view.hpp"
#include "render/pane_layout.hpp"
#include "render/view_grid.hpp"
#include "render/views.hpp"
#include "script/interp.hpp"

namespace rz::render {

// The first pane whose rectangle holds the pixel, edges included; -1 for none.
int paneAt(const PaneLayout& layout, int x, int y);

struct PanePoint {
    int pane = -1;
    DisplayMode mode = DisplayMode::Perspective;
    Vec3 world{};
};

// The world point an orthographic pane shows at the pixel's top-left corner, which the
// pane's projection takes back to that pixel; the coordinate the pane does not show comes
// from `base`. Nothing outside every pane or in the perspective pane.
std::optional<PanePoint> orthographicPoint(const PaneLayout& layout, int x, int y,
                                           const Vec3& base);

// More intervals than this are not searched.
inline constexpr long kMaxPickIntervals = 1000;

// The point of the perspective pane's grid plane nearest the pixel: of the grid points
// (n = trunc(2 size / step) equal steps each way across the square around the centre in the
// plane grid.plane names), the one whose projection lies nearest in |dx| + |dy|, the first
// found on a tie. Nothing when no grid point can be projected into the pane.
std::optional<Vec3> nearestGridPoint(const Pane& pane, const CameraView& camera,
                                     const GridSpec& grid, int x, int y);

// The grid point the views turn the pointer into: in an orthographic pane the two
// coordinates it shows, snapped to grid.step around grid.center while grid.sw is 1, the
// third that of the box cursor's centre; in the perspective pane the nearest grid point of
// the camera in the variables.
std::optional<PanePoint> gridPointAt(const Views& views, script::Interp& in, int x, int y);

}  // namespace rz::render
