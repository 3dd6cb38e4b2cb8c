#include "render/view_mouse.hpp"

#include "db/system_variables.hpp"
#include "render/view_context.hpp"

namespace rz::render {
namespace {

// The projector of the pane, or of none; the camera is that of the variables, read without
// touching the camera record.
render::PaneProjector projectorOf(const Views& views, script::Interp& in, int pane) {
    if (pane < 0) return {};
    return render::PaneProjector(views.layout.panes[pane], cameraOfVariables(in));
}

}  // namespace

PaneUnderMouse::PaneUnderMouse(const Views& views, script::Interp& in, int x, int y)
    : projector_(projectorOf(views, in, paneAt(views.layout, x, y))) {
    const int pane = paneAt(views.layout, x, y);
    if (pane < 0 || pane >= db::kCursorPanes) return;
    const DisplayMode mode = views.layout.panes[pane].mode;
    mouse_.pane = pane;
    mouse_.displayMode = static_cast<int>(mode);
    mouse_.pixel = {static_cast<double>(x), static_cast<double>(y)};
    mouse_.projector = &projector_;
    if (mode != DisplayMode::Perspective) {
        const Vec3 base = db::vectorVar(in, db::SysVar::GPos);
        if (const std::optional<PanePoint> p = orthographicPoint(views.layout, x, y, base))
            mouse_.world = p->world;
    }
    found_ = true;
}

void viewMousePress(Views& views, script::Interp& in, int x, int y) {
    const PaneUnderMouse under(views, in, x, y);
    geometry::cursorPress(in, under.found() ? &under.mouse() : nullptr);
}

bool viewMouseDrag(Views& views, script::Interp& in, int x, int y) {
    const PaneUnderMouse under(views, in, x, y);
    return under.found() && geometry::cursorDrag(in, under.mouse());
}

void viewMouseRelease(Views&, script::Interp& in, int, int) {
    geometry::cursorRelease(in);
}

}  // namespace rz::render
