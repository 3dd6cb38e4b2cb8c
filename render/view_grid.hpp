#pragma once
// The grid of a pane: a square of half side grid.size around grid.center, divided into
// equal intervals of about grid.step. An orthographic pane shows it in its own plane, only
// the lines over the pane; the perspective pane shows all of it in the plane grid.plane
// chooses, with the two coordinate axes of that plane.

#include <optional>

#include "math/vec_math.hpp"
#include "render/pane_projection.hpp"
#include "render/view_context.hpp"
#include "script/interp.hpp"

namespace rz::render {

struct GridSpec {
    Vec3d center{};
    double size = 0.0;
    double step = 0.0;
    int plane = 0;  // 1 XY, 2 ZY, 3 XZ
};

GridSpec gridSpec(script::Interp& in);

// More intervals than this are not drawn: lines closer than a pixel show nothing, and the
// perspective pane draws every line.
inline constexpr long kMaxGridIntervals = 4000;

// The square's corners, truncated to whole numbers, and its number of intervals; nothing
// when the step or size make no grid.
struct GridSquare {
    Vec3d lo{};
    Vec3d hi{};
    int intervals = 0;

    double at(int axis, int i) const { return lo[axis] + (hi[axis] - lo[axis]) * i / intervals; }
};
std::optional<GridSquare> gridSquare(const GridSpec& spec);

// The two world axes of the perspective grid's plane and the one it is fixed on; nothing for
// a grid.plane that is none.
struct PlaneAxes {
    int a;
    int b;
    int fixed;
};
std::optional<PlaneAxes> perspectiveGridAxes(int plane);

void drawGrid(Raster& raster, const Pane& pane, const PaneProjector& projector,
              const Palette& palette, const GridSpec& spec);

}  // namespace rz::render
