#pragma once
// The state the block tools and the views share around the box cursor (box.s, box.e): the
// all-shapes box, the saved cursor copies, what a drag in the views does, and where the
// cursor's handles lie in each pane as it was last drawn.

#include <array>
#include <cstdint>

#include "math/value_types.hpp"

namespace rz::script {
struct Interp;
}

namespace rz::db {

// The empty all-shapes box starts from these.
inline constexpr float kAboxSentinel = 9999999.0f;
// The box rectangle of a pane starts from these before the first handle is taken in.
inline constexpr double kScreenBoxSentinel = 99999999.0;
inline constexpr int kCursorPanes = 4;
inline constexpr int kCursorCorners = 8;

// What a left-button drag in the views does.
enum class CursorMode : std::int32_t {
    Idle = 0,
    DragCorner = 100,   // block.resize, or a press on a corner handle
    StepMove = 101,     // a press inside the cursor's rectangle
    MoveBlocks = 102,   // trans.block
    ScaleBlocks = 103,  // scale.block
    CentrePoint = 104,  // the press sets g.pos and the rotation centre
    PickPoint1 = 107,   // the point-picking tools: the press sets g.pos
    MoveParts = 108,    // trans.parts
    PickPoint2 = 109,
    MoveActor = 110,  // trans.actor
    PickPoint3 = 111,
    PickPoint4 = 112,
    PickPoint5 = 113,
    ScaleCorner = 114,  // a corner dragged while scaling; the release returns to ScaleBlocks
    MoveCopy = 115,     // transcopy.block
};

struct ScreenPoint {
    double x = 0.0;
    double y = 0.0;
    bool operator==(const ScreenPoint&) const = default;
};

// The cursor as last drawn in one pane. A corner that cannot be projected into the pane has
// its handle at (0, 0) and is left out of the rectangle.
struct CursorPane {
    std::array<ScreenPoint, kCursorCorners> handles{};
    std::array<bool, kCursorCorners> projected{};
    ScreenPoint boxMin{kScreenBoxSentinel, kScreenBoxSentinel};
    ScreenPoint boxMax{-kScreenBoxSentinel, -kScreenBoxSentinel};
    ScreenPoint marker{};  // the direction marker
    bool markerProjected = false;
};

// Called after a command or a mouse step changed what the views show of the cursor (its
// corners, its visibility or its style); the views install it and bring their drawing in
// line with this state. Without one nothing is drawn.
using CursorRedraw = void (*)(script::Interp&);

struct BoxCursorState {
    Vec3 aboxMin{kAboxSentinel, kAboxSentinel, kAboxSentinel};
    Vec3 aboxMax{-kAboxSentinel, -kAboxSentinel, -kAboxSentinel};

    // box.s and box.e as abox2block found them; block.restore brings them back.
    Vec3 savedS{};
    Vec3 savedE{500.0f, 500.0f, 500.0f};
    // Both corners after the last corner drag or stepped move, for undoing interactive edits.
    Vec3 editS{};
    Vec3 editE{500.0f, 500.0f, 500.0f};
    // The outline before the last step that moved the cursor, for erasing it.
    Vec3 previousS{};
    Vec3 previousE{500.0f, 500.0f, 500.0f};

    bool shown = false;   // the cursor is drawn
    bool active = false;  // drawn in the style of a pending tool
    CursorMode mode = CursorMode::Idle;
    std::int32_t draggedCorner = 0;

    // The free move's last grid point, taken at the press.
    Vec3 anchor{};
    bool anchored = false;
    // The grid point of the last search, so that a mouse step reports only real changes.
    Vec3 lastGridPoint{};
    bool haveGridPoint = false;

    bool wireDetail = true;       // wireframes expand parametric shapes at full division
    bool perspectiveGrid = true;  // the perspective pane shows the grid

    std::array<CursorPane, kCursorPanes> panes{};
    CursorRedraw redraw = nullptr;
};

}  // namespace rz::db
