#include "render/point_marker.hpp"

#include <cmath>
#include <cstdlib>
#include <limits>

#include "render/pane_pick.hpp"
#include "render/view_context.hpp"

namespace rz::render {
namespace {

// Far off-screen points are left out rather than cast out of int's range.
std::optional<Point> pixelOf(const PaneProjector& projector, const Vec3& world) {
    const std::optional<ScreenPoint> s = projector.screen(projector.map(world));
    constexpr double kFar = 1.0e7;
    if (!s || !std::isfinite(s->x) || !std::isfinite(s->y) || std::abs(s->x) > kFar ||
        std::abs(s->y) > kFar)
        return std::nullopt;
    return Point{static_cast<int>(std::floor(s->x)), static_cast<int>(std::floor(s->y))};
}

}  // namespace

void togglePointMarker(Views& views, script::Interp& in, const Vec3& world) {
    const Rgb colour = readPalette(in)[static_cast<int>(db::WireColour::Active)];
    const CameraView camera = cameraOfVariables(in);
    Raster& raster = views.raster;
    for (int i = 0; i < views.layout.count; ++i) {
        const Pane& pane = views.layout.panes[i];
        const std::optional<Point> c = pixelOf(PaneProjector(pane, camera), world);
        if (!c) continue;
        raster.setClip(pane.rect.rect());
        raster.frameRect({c->x - kPointMarkerHalf, c->y - kPointMarkerHalf,
                          c->x + kPointMarkerHalf + 1, c->y + kPointMarkerHalf + 1},
                         colour, RasterOp::Xor);
        raster.resetClip();
    }
}

int pointNear(const Views& views, script::Interp& in, std::span<const Vec3> points, int x, int y,
              int reach) {
    const int index = paneAt(views.layout, x, y);
    if (index < 0) return -1;
    const Pane& pane = views.layout.panes[index];
    if (pane.mode == DisplayMode::Perspective) return -1;
    const PaneProjector projector(pane, cameraOfVariables(in));
    int best = -1;
    int bestDistance = std::numeric_limits<int>::max();
    for (std::size_t i = 0; i < points.size(); ++i) {
        const std::optional<Point> p = pixelOf(projector, points[i]);
        if (!p) continue;
        const int dx = std::abs(p->x - x);
        const int dy = std::abs(p->y - y);
        if (dx > reach || dy > reach || dx + dy >= bestDistance) continue;
        best = static_cast<int>(i);
        bestDistance = dx + dy;
    }
    return best;
}

}  // namespace rz::render
