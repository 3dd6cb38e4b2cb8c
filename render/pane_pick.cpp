#include "render/pane_pick.hpp"

#include <cmath>

namespace rz::render {

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

std::optional<db::ScreenPoint> CursorPaneProjector::project(const Vec3& p) const {
    const std::optional<ScreenPoint> s = pane_.screen(pane_.map(p));
    if (!s || !std::isfinite(s->x) || !std::isfinite(s->y)) return std::nullopt;
    return db::ScreenPoint{std::floor(s->x), std::floor(s->y)};
}

}  // namespace rz::render
