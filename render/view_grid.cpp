#include "render/view_grid.hpp"

#include <cmath>

#include "db/system_variables.hpp"
#include "geometry/truncate.hpp"

namespace rz::render {
namespace {

// The world axes shown across and down an orthographic pane.
PlaneAxes orthographicAxes(DisplayMode mode) {
    const ShownAxes shown = shownAxes(mode);
    return {shown.across, shown.down, shown.depth};
}

struct LineRange {
    int first = 0;
    int last = -1;  // empty when below first
};

// The lines of one direction whose position falls strictly inside the pane's pixels
// (`screenAxis` 0 across, 1 down), widened by one line each way.
LineRange visibleLines(const GridSquare& sq, const PaneProjector& projector, const PaneRect& r,
                       int axis, int screenAxis) {
    LineRange range{sq.intervals + 1, -1};
    for (int i = 0; i <= sq.intervals; ++i) {
        Vec3d p = sq.lo;
        p[axis] = sq.at(axis, i);
        const double v = projector.map(p)[screenAxis];
        const double px = std::floor(v);
        const bool inside =
            screenAxis == 0 ? px > r.left && px < r.right : px > r.top && px < r.bottom;
        if (!inside) continue;
        range.first = std::min(range.first, i);
        range.last = std::max(range.last, i);
    }
    if (range.last < range.first) return {0, -1};
    return {std::max(range.first - 1, 0), std::min(range.last + 1, sq.intervals)};
}

// Lines at a_i for i in `across`, each running along b from b_first to b_last.
void drawLines(Raster& raster, const PaneProjector& projector, const Rect& clip, const Pen& pen,
               const GridSquare& sq, const PlaneAxes& ax, LineRange across, LineRange along) {
    for (int i = across.first; i <= across.last; ++i) {
        Vec3d p = sq.lo;
        Vec3d q = sq.lo;
        p[ax.a] = q[ax.a] = sq.at(ax.a, i);
        p[ax.b] = sq.at(ax.b, along.first);
        q[ax.b] = sq.at(ax.b, along.last);
        drawSegment(raster, projector, projector.map(p), projector.map(q), pen, clip);
    }
}

void drawOrthographic(Raster& raster, const Pane& pane, const PaneProjector& projector,
                      const Palette& palette, const GridSquare& sq) {
    const PlaneAxes ax = orthographicAxes(pane.mode);
    const LineRange across = visibleLines(sq, projector, pane.rect, ax.a, 0);
    const LineRange down = visibleLines(sq, projector, pane.rect, ax.b, 1);
    if (across.last < across.first || down.last < down.first) return;
    const Pen pen{palette[static_cast<int>(db::WireColour::Black)]};
    const Rect clip = pane.rect.rect();
    drawLines(raster, projector, clip, pen, sq, ax, across, down);
    drawLines(raster, projector, clip, pen, sq, {ax.b, ax.a, ax.fixed}, down, across);
}

void drawPerspective(Raster& raster, const Pane& pane, const PaneProjector& projector,
                     const Palette& palette, const GridSquare& sq, const PlaneAxes& ax) {
    const Rect clip = pane.rect.rect();
    const LineRange all{0, sq.intervals};
    const Pen lines{palette[static_cast<int>(db::WireColour::LineBase)]};
    drawLines(raster, projector, clip, lines, sq, ax, all, all);
    drawLines(raster, projector, clip, lines, sq, {ax.b, ax.a, ax.fixed}, all, all);
    // The two coordinate axes of the plane, through the origin across the whole square.
    const Pen axes{palette[static_cast<int>(db::WireColour::Anker)]};
    for (const PlaneAxes& along : {ax, PlaneAxes{ax.b, ax.a, ax.fixed}}) {
        Vec3d p = sq.lo;
        Vec3d q = sq.lo;
        p[along.b] = q[along.b] = 0.0;
        p[along.a] = sq.lo[along.a];
        q[along.a] = sq.hi[along.a];
        drawSegment(raster, projector, projector.map(p), projector.map(q), axes, clip);
    }
}

}  // namespace

GridSpec gridSpec(script::Interp& in) {
    using db::SysVar;
    return {widen(db::vectorVar(in, SysVar::GridCenter)), db::scalarVar(in, SysVar::GridSize),
            db::scalarVar(in, SysVar::GridStep),
            geometry::truncateToInt(db::scalarVar(in, SysVar::GridPlane))};
}

std::optional<GridSquare> gridSquare(const GridSpec& spec) {
    if (!(spec.step > 0.0) || !(spec.size > 0.0)) return std::nullopt;
    const double n = std::trunc(spec.size / spec.step * 2.0);
    if (!(n >= 1.0) || n > kMaxGridIntervals) return std::nullopt;
    GridSquare sq;
    sq.intervals = static_cast<int>(n);
    for (int c = 0; c < 3; ++c) {
        sq.lo[c] = std::trunc(spec.center[c] - spec.size);
        sq.hi[c] = std::trunc(spec.center[c] + spec.size);
    }
    return sq;
}

std::optional<PlaneAxes> perspectiveGridAxes(int plane) {
    switch (plane) {
        case 1:
            return PlaneAxes{0, 1, 2};
        case 2:
            return PlaneAxes{2, 1, 0};
        case 3:
            return PlaneAxes{0, 2, 1};
        default:
            return std::nullopt;
    }
}

void drawGrid(Raster& raster, const Pane& pane, const PaneProjector& projector,
              const Palette& palette, const GridSpec& spec) {
    std::optional<GridSquare> sq = gridSquare(spec);
    if (!sq ||
        !std::isfinite(sq->lo[0] + sq->lo[1] + sq->lo[2] + sq->hi[0] + sq->hi[1] + sq->hi[2]))
        return;
    if (pane.mode != DisplayMode::Perspective) {
        drawOrthographic(raster, pane, projector, palette, *sq);
        return;
    }
    const std::optional<PlaneAxes> ax = perspectiveGridAxes(spec.plane);
    if (!ax) return;
    // The plane passes through the grid centre itself, not through its truncated corner.
    sq->lo[ax->fixed] = sq->hi[ax->fixed] = spec.center[ax->fixed];
    drawPerspective(raster, pane, projector, palette, *sq, *ax);
}

}  // namespace rz::render
