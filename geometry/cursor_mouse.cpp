#include "geometry/cursor_mouse.hpp"

#include <array>
#include <cmath>

#include "db/current_records.hpp"
#include "db/system_variables.hpp"
#include "geometry/box_cursor.hpp"
#include "geometry/truncate.hpp"

namespace rz::geometry {
namespace {

using db::CursorMode;
using db::SysVar;

enum class PaneRule { None, Orthographic, Perspective };

// Four panes choose by the pane's display mode; a single pane by the layout.
PaneRule paneRule(int winmode, int displayMode) {
    switch (winmode) {
        case 1:
            if (displayMode == kPerspectivePane) return PaneRule::Perspective;
            if (displayMode >= kXYPane && displayMode <= kXZPane) return PaneRule::Orthographic;
            return PaneRule::None;
        case 3:
        case 4:
        case 5:
            return PaneRule::Orthographic;
        case 6:
            return PaneRule::Perspective;
        default:
            return PaneRule::None;
    }
}

PaneRule paneRule(script::Interp& in, const PaneMouse& m) {
    return paneRule(truncateToInt(db::scalarVar(in, SysVar::Winmode)), m.displayMode);
}

db::BoxCursorState& cursor(script::Interp& in) {
    return db::database(in).boxCursor;
}
Vec3& boxS(script::Interp& in) {
    return db::vectorVar(in, SysVar::BoxS);
}
Vec3& boxE(script::Interp& in) {
    return db::vectorVar(in, SysVar::BoxE);
}

Vec3 cursorCentre(script::Interp& in) {
    const Vec3& s = boxS(in);
    const Vec3& e = boxE(in);
    return {(s[0] + e[0]) / 2.0f, (s[1] + e[1]) / 2.0f, (s[2] + e[2]) / 2.0f};
}

std::optional<Vec3> gridPoint(script::Interp& in, const PaneMouse& m, const GridSettings& grid) {
    switch (paneRule(in, m)) {
        case PaneRule::Orthographic:
            return orthoGridPoint(cursorCentre(in), m.displayMode, m.world, grid);
        case PaneRule::Perspective:
            if (m.projector == nullptr) return std::nullopt;
            return perspectiveGridPoint(grid, *m.projector, m.pixel);
        case PaneRule::None:
            break;
    }
    return std::nullopt;
}

// Whether the grid point differs from the one of the last step, which it replaces.
bool newGridPoint(db::BoxCursorState& c, const Vec3& p) {
    const bool changed = !c.haveGridPoint || p != c.lastGridPoint;
    c.lastGridPoint = p;
    c.haveGridPoint = true;
    return changed;
}

// The grid axis a perspective grid plane holds fixed: XY z, ZY x, XZ y.
constexpr std::array<int, 3> kPlaneFixedAxis{2, 0, 1};

// The grabbed corner follows the grid point in the pane's plane. In the perspective pane
// the grid plane is first moved through the corner, so the corner slides in its own plane.
bool dragCorner(script::Interp& in, const PaneMouse& m) {
    db::BoxCursorState& c = cursor(in);
    GridSettings grid = gridSettings(in);
    std::array<bool, 3> which{};
    const PaneRule rule = paneRule(in, m);
    if (rule == PaneRule::Orthographic) {
        which = paneCoordinates(m.displayMode);
    } else if (rule == PaneRule::Perspective) {
        which = gridPlaneCoordinates(grid.plane);
        if (grid.plane >= 1 && grid.plane <= 3) {
            const int fixed = kPlaneFixedAxis[grid.plane - 1];
            if (cornerFromE(c.draggedCorner)[fixed])
                grid.center[fixed] += boxE(in)[fixed] - boxS(in)[fixed];
        }
    } else {
        return false;
    }
    const std::optional<Vec3> p = gridPoint(in, m, grid);
    if (!p || !newGridPoint(c, *p)) return false;
    Vec3 s = boxS(in);
    Vec3 e = boxE(in);
    setCorner(s, e, c.draggedCorner, *p, which);
    if (s == boxS(in) && e == boxE(in)) return false;
    boxS(in) = s;
    boxE(in) = e;
    return true;
}

bool stepMove(script::Interp& in, const PaneMouse& m) {
    const std::optional<Vec3> p = gridPoint(in, m, gridSettings(in));
    if (!p) return false;
    return stepCursor(boxS(in), boxE(in), *p);
}

// Both corners follow the grid point's movement since the last step.
bool freeMove(script::Interp& in, const PaneMouse& m) {
    db::BoxCursorState& c = cursor(in);
    if (!c.anchored) return false;
    const std::optional<Vec3> p = gridPoint(in, m, gridSettings(in));
    if (!p || *p == c.anchor) return false;
    for (int k = 0; k < 3; ++k) {
        const float d = (*p)[k] - c.anchor[k];
        boxS(in)[k] += d;
        boxE(in)[k] += d;
    }
    c.anchor = *p;
    return true;
}

bool isFreeMove(CursorMode mode) {
    return mode == CursorMode::MoveBlocks || mode == CursorMode::MoveParts ||
           mode == CursorMode::MoveActor || mode == CursorMode::MoveCopy;
}

bool isPointPick(CursorMode mode) {
    return mode == CursorMode::PickPoint1 || mode == CursorMode::PickPoint2 ||
           mode == CursorMode::PickPoint3 || mode == CursorMode::PickPoint4 ||
           mode == CursorMode::PickPoint5;
}

bool within(const db::ScreenPoint& a, const db::ScreenPoint& b, double reach) {
    return std::abs(a.x - b.x) <= reach && std::abs(a.y - b.y) <= reach;
}

// With no tool of its own pending, a press grabs a corner handle, turns the direction
// marker on to the next axis, or starts a stepped move inside the cursor's rectangle.
void pressOnCursor(script::Interp& in, const PaneMouse& m) {
    if (m.pane < 0 || m.pane >= db::kCursorPanes) return;
    db::BoxCursorState& c = cursor(in);
    const db::CursorPane& pane = c.panes[m.pane];
    const bool scaling = c.mode == CursorMode::ScaleBlocks;
    for (int k = 0; k < db::kCursorCorners; ++k) {
        if (!pane.projected[k] || !within(pane.handles[k], m.pixel, kHandleReach)) continue;
        c.draggedCorner = k;
        c.mode = scaling ? CursorMode::ScaleCorner : CursorMode::DragCorner;
        return;
    }
    if (pane.markerProjected && within(pane.marker, m.pixel, kMarkerReach)) {
        if (scaling) return;
        c.mode = CursorMode::Idle;
        float& direc = db::scalarVar(in, SysVar::Direc);
        const int next = truncateToInt(direc) + 1;
        direc = static_cast<float>(next >= 1 && next <= 3 ? next : 1);
        redrawCursor(in);
        return;
    }
    const bool inside = m.pixel.x >= pane.boxMin.x && m.pixel.x <= pane.boxMax.x &&
                        m.pixel.y >= pane.boxMin.y && m.pixel.y <= pane.boxMax.y;
    if (inside && !scaling) c.mode = CursorMode::StepMove;
}

}  // namespace

GridSettings gridSettings(script::Interp& in) {
    return {db::vectorVar(in, SysVar::GridCenter), db::scalarVar(in, SysVar::GridSize),
            db::scalarVar(in, SysVar::GridStep),
            truncateToInt(db::scalarVar(in, SysVar::GridPlane)),
            truncateToInt(db::scalarVar(in, SysVar::GridSw)) == 1};
}

std::optional<Vec3> gridPointUnderMouse(script::Interp& in, const PaneMouse& m) {
    return gridPoint(in, m, gridSettings(in));
}

void redrawCursor(script::Interp& in) {
    if (const db::CursorRedraw redraw = cursor(in).redraw) redraw(in);
}

void cursorPress(script::Interp& in, const PaneMouse* m) {
    db::BoxCursorState& c = cursor(in);
    c.haveGridPoint = false;
    if (isFreeMove(c.mode)) {
        c.anchored = false;
        if (m == nullptr) return;
        if (const std::optional<Vec3> p = gridPointUnderMouse(in, *m)) {
            c.anchor = *p;
            c.anchored = true;
        }
        return;
    }
    if (m == nullptr) return;
    if (c.mode == CursorMode::CentrePoint || isPointPick(c.mode)) {
        const std::optional<Vec3> p = gridPointUnderMouse(in, *m);
        if (!p) return;
        db::vectorVar(in, SysVar::GPos) = *p;
        if (c.mode == CursorMode::CentrePoint)
            db::database(in).geometry.center = *p;
        else
            in.msg.statusText("");
        return;
    }
    pressOnCursor(in, *m);
}

bool cursorDrag(script::Interp& in, const PaneMouse& m) {
    db::BoxCursorState& c = cursor(in);
    const Vec3 s = boxS(in);
    const Vec3 e = boxE(in);
    bool moved = false;
    bool edit = false;
    if (c.mode == CursorMode::DragCorner || c.mode == CursorMode::ScaleCorner) {
        moved = dragCorner(in, m);
        edit = true;
    } else if (c.mode == CursorMode::StepMove) {
        moved = stepMove(in, m);
        edit = true;
    } else if (isFreeMove(c.mode)) {
        moved = freeMove(in, m);
    }
    if (!moved) return false;
    c.previousS = s;
    c.previousE = e;
    if (edit) {
        c.editS = boxS(in);
        c.editE = boxE(in);
    }
    c.shown = true;
    redrawCursor(in);
    return true;
}

void cursorRelease(script::Interp& in) {
    db::BoxCursorState& c = cursor(in);
    if (c.mode == CursorMode::DragCorner || c.mode == CursorMode::StepMove)
        c.mode = CursorMode::Idle;
    else if (c.mode == CursorMode::ScaleCorner)
        c.mode = CursorMode::ScaleBlocks;
    c.anchored = false;
    c.shown = true;
    redrawCursor(in);
}

}  // namespace rz::geometry
