#include <array>
#include <span>

#include "db/current_records.hpp"
#include "db/system_variables.hpp"
#include "geometry/box_cursor.hpp"
#include "geometry/cursor_commands.hpp"
#include "geometry/cursor_mouse.hpp"
#include "script/arguments.hpp"
#include "script/statement.hpp"

namespace rz::geometry {
namespace {

using db::CursorMode;
using db::SysVar;
using script::kFail;
using script::kOk;

db::BoxCursorState& cursor(script::Interp& in) {
    return db::database(in).boxCursor;
}

script::Result cmdBlockOn(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    if (!cursor(in).shown) {
        cursor(in).shown = true;
        redrawCursor(in);
    }
    return kOk;
}

script::Result cmdBlockOff(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    if (cursor(in).shown) {
        cursor(in).shown = false;
        redrawCursor(in);
    }
    return kOk;
}

// The tools: the cursor is taken off the views and marked active, and a drag in the views
// does what the mode says until the tool ends.
template <CursorMode Mode>
script::Result cmdTool(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    db::BoxCursorState& c = cursor(in);
    c.shown = false;
    c.active = true;
    c.mode = Mode;
    c.anchored = false;
    redrawCursor(in);
    return kOk;
}

script::Result cmdAbox2Block(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    db::BoxCursorState& c = cursor(in);
    Vec3& s = db::vectorVar(in, SysVar::BoxS);
    Vec3& e = db::vectorVar(in, SysVar::BoxE);
    c.savedS = s;
    c.savedE = e;
    s = c.aboxMin;
    e = c.aboxMax;
    c.shown = true;
    redrawCursor(in);
    return kOk;
}

script::Result cmdBlockRestore(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    db::BoxCursorState& c = cursor(in);
    c.shown = false;
    c.active = false;
    db::vectorVar(in, SysVar::BoxS) = c.savedS;
    db::vectorVar(in, SysVar::BoxE) = c.savedE;
    redrawCursor(in);
    return kOk;
}

script::Result cmdBlockDefault(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    cursor(in).active = false;
    redrawCursor(in);
    return kOk;
}

script::Result cmdBlockMove(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    db::database(in).geometry.current =
        blockMoveMatrix(db::vectorVar(in, SysVar::BoxS), cursor(in).aboxMin);
    return kOk;
}

script::Result cmdBlockScaling(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    const db::BoxCursorState& c = cursor(in);
    const Vec3& s = db::vectorVar(in, SysVar::BoxS);
    const Vec3d f = blockScalingFactors(s, db::vectorVar(in, SysVar::BoxE), c.aboxMin, c.aboxMax);
    db::GeometryState& g = db::database(in).geometry;
    g.current = blockScalingMatrix(f, g.center, s, c.aboxMin);
    g.mirrorCount = (f[0] < 0.0) + (f[1] < 0.0) + (f[2] < 0.0);
    return kOk;
}

// The camera turns its target to p and keeps its eye's offset from it, so the view keeps
// its direction; the orthographic panes centre on p too.
void aimAt(script::Interp& in, const Vec3& p) {
    Vec3& eye = db::vectorVar(in, SysVar::CPos);
    Vec3& target = db::vectorVar(in, SysVar::CTar);
    eye = narrow(widen(p) + (widen(eye) - widen(target)));
    target = p;
    db::vectorVar(in, SysVar::WCenter) = p;
    db::putCameraRecord(in);
}

script::Result cmdGcursorTarget(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    const Vec3 g = db::vectorVar(in, SysVar::GPos);
    db::vectorVar(in, SysVar::GridCenter) = g;
    aimAt(in, g);
    return kOk;
}

script::Result cmdBcursorTarget(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    const Vec3d s = widen(db::vectorVar(in, SysVar::BoxS));
    const Vec3 centre = narrow((s + widen(db::vectorVar(in, SysVar::BoxE))) * 0.5);
    db::vectorVar(in, SysVar::GPos) = centre;
    db::vectorVar(in, SysVar::GridCenter) = db::vectorVar(in, SysVar::BoxS);
    aimAt(in, centre);
    return kOk;
}

const std::array<script::CommandRow, 15> kCommands{{
    {"blockON", cmdBlockOn},
    {"blockOFF", cmdBlockOff},
    {"block.resize", cmdTool<CursorMode::DragCorner>},
    {"trans.block", cmdTool<CursorMode::MoveBlocks>},
    {"transcopy.block", cmdTool<CursorMode::MoveCopy>},
    {"trans.parts", cmdTool<CursorMode::MoveParts>},
    {"trans.actor", cmdTool<CursorMode::MoveActor>},
    {"scale.block", cmdTool<CursorMode::ScaleBlocks>},
    {"abox2block", cmdAbox2Block},
    {"block.restore", cmdBlockRestore},
    {"block.default", cmdBlockDefault},
    {"block.move", cmdBlockMove},
    {"block.scaling", cmdBlockScaling},
    {"gcursor.target", cmdGcursorTarget},
    {"bcursor.target", cmdBcursorTarget},
}};

}  // namespace

std::span<const script::CommandRow> cursorCommands() {
    return kCommands;
}

}  // namespace rz::geometry
