#include "render/draw_commands.hpp"

#include <array>

#include "db/current_records.hpp"
#include "geometry/primitive_commands.hpp"
#include "geometry/truncate.hpp"
#include "render/draw_values.hpp"
#include "render/render_messages.hpp"
#include "render/renderer.hpp"
#include "render/views.hpp"
#include "render/wire_drawing.hpp"
#include "script/arguments.hpp"
#include "script/messages.hpp"
#include "script/statement.hpp"

namespace rz::render {
namespace {

using script::kFail;
using script::kOk;
using script::Tok;

// Nothing, a target, or a target "," mode; each a number or a named constant.
struct DrawArguments {
    int target = -1;
    bool modeGiven = false;
    int mode = 0;
};

bool isLiteral(Tok t) {
    return t == Tok::Number || t == Tok::Constant;
}

bool isEnd(Tok t) {
    return t == Tok::End || t == Tok::Eof;
}

script::Result drawArguments(script::Interp& in, DrawArguments& out) {
    Tok t = in.next();
    if (isEnd(t)) return kOk;
    if (!isLiteral(t)) return script::failSkip(in, script::msg::kBadParam);
    out.target = geometry::truncateToInt(in.lex.number());
    t = in.next();
    if (isEnd(t)) return kOk;
    if (t != Tok::Comma) return script::failSkip(in, script::msg::kBadSeparator);
    if (!isLiteral(in.next())) return script::failSkip(in, script::msg::kBadParam);
    out.mode = geometry::truncateToInt(in.lex.number());
    out.modeGiven = true;
    return script::noArguments(in);
}

// A render into the C-Buffer with the camera and lights of their variables. The camera
// record and the current attribute and mapinfo are as they were afterwards.
script::Result renderImage(script::Interp& in, int target, int mode) {
    Renderer* renderer = startedRenderer(in);
    if (renderer == nullptr) return script::fail(in, msg::kNeedWindowEnvironment);
    db::Database& db = db::database(in);
    const db::Camera camera = db.camera;
    const int attribute = db.currentAttribute;
    const int mapinfo = db.currentMapinfo;
    db::putCameraRecord(in);
    db::putLightRecord(in);
    renderer->state.sampleMode = false;
    const RenderOutcome outcome = render(*renderer, in, target, mode);
    db.camera = camera;
    db.currentAttribute = attribute;
    db.currentMapinfo = mapinfo;
    if (outcome == RenderOutcome::Aborted) {
        in.msg.console(msg::kDrawAborted);
        return kFail;
    }
    in.msg.console(msg::kDrawDone);
    return kOk;
}

// One drawing command: `mode` is the drawing mode in force for it.
script::Result draw(script::Interp& in, const DrawArguments& a, int mode, bool perspectiveOnly) {
    if (isRenderMode(mode)) return renderImage(in, a.target, mode);
    Views* views = startedViews(in);
    if (views == nullptr) return script::fail(in, msg::kNeedWindowEnvironment);
    if (views->previewOwnsWindow) return kOk;
    return drawViews(*views, in, {a.target, mode, perspectiveOnly});
}

// wire and parswire draw WIRE unless given a mode; draw and store the drawing mode.
script::Result wireCommand(script::Interp& in, bool perspectiveOnly) {
    DrawArguments a;
    if (drawArguments(in, a) != kOk) return kFail;
    return draw(in, a, a.modeGiven ? a.mode : 0, perspectiveOnly);
}

script::Result drawCommand(script::Interp& in) {
    DrawArguments a;
    if (drawArguments(in, a) != kOk) return kFail;
    return draw(in, a, a.modeGiven ? a.mode : in.drawMode, false);
}

script::Result markerCommand(script::Interp& in) {
    Vec3 s{};
    Vec3 e{};
    if (geometry::markerArguments(in, s, e) != kOk) return kFail;
    Views* views = startedViews(in);
    if (views == nullptr) return script::fail(in, msg::kNeedWindowEnvironment);
    if (!views->previewOwnsWindow) drawCursorMarker(*views, in, s, e);
    return kOk;
}

}  // namespace

static script::Result cmdWire(script::Interp& in) {
    return wireCommand(in, false);
}

static script::Result cmdParswire(script::Interp& in) {
    return wireCommand(in, true);
}

static script::Result cmdDraw(script::Interp& in) {
    return drawCommand(in);
}

static script::Result cmdStore(script::Interp& in) {
    return drawCommand(in);
}

static script::Result cmdBcurgen(script::Interp& in) {
    return markerCommand(in);
}

static script::Result cmdBcurreg(script::Interp& in) {
    return markerCommand(in);
}

namespace {
const std::array<script::CommandRow, 6> kCommands{{
    {"wire", cmdWire},
    {"parswire", cmdParswire},
    {"draw", cmdDraw},
    {"store", cmdStore},
    {"bcurgen", cmdBcurgen},
    {"bcurreg", cmdBcurreg},
}};
}  // namespace

std::span<const script::CommandRow> drawCommands() {
    return kCommands;
}

}  // namespace rz::render
