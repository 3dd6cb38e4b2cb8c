#include "render/pane_pick.hpp"

#include <cmath>

#include "db/system_variables.hpp"
#include "render/pane_projection.hpp"
#include "render/view_context.hpp"

namespace rz::render {
namespace {

// The world axes across and down each orthographic pane.
struct ShownAxes {
    int across;
    int down;
};

ShownAxes shownAxes(DisplayMode mode) {
    switch (mode) {
        case DisplayMode::YZ:
            return {2, 1};
        case DisplayMode::XZ:
            return {0, 2};
        case DisplayMode::XY:
        case DisplayMode::Perspective:
            break;
    }
    return {0, 1};
}

// The grid points in search order: rows along the plane's second axis from its first
// corner (from the far end of z in the XZ plane).
struct SearchPlane {
    int outer;
    int inner;
    bool innerDown;
};

std::optional<SearchPlane> searchPlane(int plane) {
    switch (plane) {
        case 1:
            return SearchPlane{0, 1, false};
        case 2:
            return SearchPlane{1, 2, false};
        case 3:
            return SearchPlane{0, 2, true};
        default:
            return std::nullopt;
    }
}

double snapped(double v, double center, double step) {
    return center + std::round((v - center) / step) * step;
}

}  // namespace

int paneAt(const PaneLayout& layout, int x, int y) {
    for (int i = 0; i < layout.count; ++i)
        if (layout.panes[i].rect.contains(x, y)) return i;
    return -1;
}

std::optional<PanePoint> orthographicPoint(const PaneLayout& layout, int x, int y,
                                           const Vec3& base) {
    const int index = paneAt(layout, x, y);
    if (index < 0) return std::nullopt;
    const Pane& pane = layout.panes[index];
    if (pane.mode == DisplayMode::Perspective) return std::nullopt;
    const ShownAxes axes = shownAxes(pane.mode);
    const WorldWindow& w = pane.world;
    PanePoint p{index, pane.mode, base};
    p.world[axes.across] = static_cast<float>(w.left + (x - pane.rect.left) * w.unitsH);
    p.world[axes.down] = static_cast<float>(w.top + (y - pane.rect.top) * w.unitsV);
    return p;
}

std::optional<Vec3> nearestGridPoint(const Pane& pane, const CameraView& camera,
                                     const GridSpec& grid, int x, int y) {
    const std::optional<SearchPlane> plane = searchPlane(grid.plane);
    if (!plane || !(grid.step > 0.0) || !(grid.size > 0.0)) return std::nullopt;
    const double n = std::trunc(2.0 * grid.size / grid.step);
    if (!(n >= 1.0) || n > kMaxPickIntervals) return std::nullopt;
    const int intervals = static_cast<int>(n);
    const double spacing = 2.0 * grid.size / intervals;
    const PaneProjector projector(pane, camera);

    std::optional<Vec3> best;
    double bestDistance = 0.0;
    Vec3d p = grid.center;
    for (int i = 0; i <= intervals; ++i) {
        p[plane->outer] = grid.center[plane->outer] - grid.size + i * spacing;
        for (int j = 0; j <= intervals; ++j) {
            const double along = j * spacing - grid.size;
            p[plane->inner] = grid.center[plane->inner] + (plane->innerDown ? -along : along);
            const std::optional<ScreenPoint> s = projector.screen(projector.map(p));
            if (!s) continue;
            const double d = std::fabs(std::floor(s->x) - x) + std::fabs(std::floor(s->y) - y);
            if (best && !(d < bestDistance)) continue;
            best = narrow(p);
            bestDistance = d;
        }
    }
    return best;
}

std::optional<PanePoint> gridPointAt(const Views& views, script::Interp& in, int x, int y) {
    using db::SysVar;
    const int index = paneAt(views.layout, x, y);
    if (index < 0) return std::nullopt;
    const Pane& pane = views.layout.panes[index];
    const GridSpec grid = gridSpec(in);
    if (pane.mode == DisplayMode::Perspective) {
        const std::optional<Vec3> p = nearestGridPoint(pane, cameraOfVariables(in), grid, x, y);
        if (!p) return std::nullopt;
        return PanePoint{index, pane.mode, *p};
    }
    const Vec3d s = widen(db::vectorVar(in, SysVar::BoxS));
    const Vec3d e = widen(db::vectorVar(in, SysVar::BoxE));
    std::optional<PanePoint> p = orthographicPoint(views.layout, x, y, narrow((s + e) * 0.5));
    if (db::scalarVar(in, SysVar::GridSw) == 1.0f && grid.step > 0.0) {
        const ShownAxes axes = shownAxes(pane.mode);
        for (const int axis : {axes.across, axes.down})
            p->world[axis] =
                static_cast<float>(snapped(p->world[axis], grid.center[axis], grid.step));
    }
    return p;
}

}  // namespace rz::render
