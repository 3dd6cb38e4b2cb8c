#include "render/view_drag.hpp"

#include <algorithm>

#include "db/current_records.hpp"
#include "render/pane_pick.hpp"

namespace rz::render {
std::optional<Vec3> scrolledCentre(const PaneLayout& layout, const Vec3& centre, int fromX,
                                   int fromY, int toX, int toY) {
    const int pane = paneAt(layout, fromX, fromY);
    if (pane < 0) return std::nullopt;
    const Pane& p = layout.panes[pane];
    if (p.mode == DisplayMode::Perspective) return std::nullopt;
    const ShownAxes axes = shownAxes(p.mode);
    // The pane's own units per pixel, also when the mouse has left it: the drag goes on.
    Vec3 c = centre;
    c[axes.across] -= static_cast<float>((toX - fromX) * p.world.unitsH);
    c[axes.down] -= static_cast<float>((toY - fromY) * p.world.unitsV);
    return c;
}

CameraStep cameraDragStep(int dx, int dy, float distance) {
    CameraStep step;
    step.degrees = -static_cast<float>(dx) * kDegreesPerPixel;
    const float limit = distance * kMaxForwardShare;
    step.forward = std::clamp(-static_cast<float>(dy) * kForwardPerPixel * distance, -limit, limit);
    return step;
}

void endCursorTool(script::Interp& in) {
    db::BoxCursorState& c = db::database(in).boxCursor;
    c.mode = db::CursorMode::Idle;
    c.anchored = false;
}

}  // namespace rz::render
