#include "render/draw_commands.hpp"

#include <array>

#include "db/current_records.hpp"
#include "geometry/primitive_commands.hpp"
#include "geometry/truncate.hpp"
#include "render/draw_values.hpp"
#include "render/drawing_threads.hpp"
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

// A render into the C-Buffer with the camera and lights of their variables, on the render
// worker when asked. The camera record and the current attribute and mapinfo are as they
// were afterwards.
script::Result renderImage(script::Interp& in, int target, int mode, bool worker) {
    Renderer* renderer = startedRenderer(in);
    if (renderer == nullptr) return script::fail(in, msg::kNeedWindowEnvironment);
    db::Database& db = db::database(in);
    const db::Camera camera = db.camera;
    const int attribute = db.currentAttribute;
    const int mapinfo = db.currentMapinfo;
    db::putCameraRecord(in);
    db::putLightRecord(in);
    renderer->state.sampleMode = false;
    DrawingThreads* threads = startedThreads(in);
    DrawingThreads::RenderResult result;
    result.started = false;
    if (worker && threads != nullptr) result = threads->render(*renderer, in, target, mode);
    // Without a thread the render happens here, as a direct one.
    if (!result.started) result.outcome = render(*renderer, in, target, mode);
    db.camera = camera;
    db.currentAttribute = attribute;
    db.currentMapinfo = mapinfo;
    if (result.outcome == RenderOutcome::Aborted) {
        in.msg.console(msg::kDrawAborted);
        // A cancel is the user's choice: the statements after this one still run.
        return result.cancelled ? kOk : kFail;
    }
    in.msg.console(msg::kDrawDone);
    return kOk;
}

// The views drawn as asked, on the view worker when asked.
script::Result wireImage(script::Interp& in, const WireRequest& request, bool worker) {
    Views* views = startedViews(in);
    if (views == nullptr) return script::fail(in, msg::kNeedWindowEnvironment);
    if (views->previewOwnsWindow) return kOk;
    DrawingThreads* threads = startedThreads(in);
    if (!worker || threads == nullptr) return drawViews(*views, in, request);
    if (!wireValue(request.value)) return script::fail(in, msg::kBadDrawMode);
    if (threads->startViews(*views, in, request)) return kOk;
    return drawViews(*views, in, request);
}

// One drawing command: `mode` is the drawing mode in force for it.
script::Result draw(script::Interp& in, const DrawArguments& a, int mode, ViewKind kind,
                    bool worker) {
    if (DrawingThreads* threads = startedThreads(in); threads != nullptr)
        threads->request = {static_cast<std::uint8_t>(mode), a.target, kind, worker, false};
    if (isRenderMode(mode)) return renderImage(in, a.target, mode, worker);
    return wireImage(in, {a.target, mode, kind == ViewKind::Perspective, {}}, worker);
}

// wire and parswire draw WIRE unless given a mode; draw and store the drawing mode.
script::Result wireCommand(script::Interp& in, ViewKind kind, bool worker) {
    DrawArguments a;
    if (drawArguments(in, a) != kOk) return kFail;
    return draw(in, a, a.modeGiven ? a.mode : 0, kind, worker);
}

script::Result drawCommand(script::Interp& in, bool worker) {
    DrawArguments a;
    if (drawArguments(in, a) != kOk) return kFail;
    return draw(in, a, a.modeGiven ? a.mode : in.drawMode, ViewKind::All, worker);
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
    return wireCommand(in, ViewKind::All, false);
}

static script::Result cmdWireThread(script::Interp& in) {
    return wireCommand(in, ViewKind::Threaded, true);
}

static script::Result cmdParswire(script::Interp& in) {
    return wireCommand(in, ViewKind::Perspective, false);
}

static script::Result cmdParswireThread(script::Interp& in) {
    return wireCommand(in, ViewKind::Perspective, true);
}

static script::Result cmdDraw(script::Interp& in) {
    return drawCommand(in, false);
}

static script::Result cmdDrawThread(script::Interp& in) {
    return drawCommand(in, true);
}

static script::Result cmdStore(script::Interp& in) {
    return drawCommand(in, false);
}

// The render worker has always ended when a statement runs; the view worker is waited for.
static script::Result cmdThreadwait(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    if (DrawingThreads* threads = startedThreads(in); threads != nullptr) threads->waitViews();
    return kOk;
}

static script::Result cmdBcurgen(script::Interp& in) {
    return markerCommand(in);
}

static script::Result cmdBcurreg(script::Interp& in) {
    return markerCommand(in);
}

namespace {
const std::array<script::CommandRow, 10> kCommands{{
    {"wire", cmdWire},
    {"wire.thread", cmdWireThread},
    {"parswire", cmdParswire},
    {"parswire.thread", cmdParswireThread},
    {"draw", cmdDraw},
    {"draw.thread", cmdDrawThread},
    {"store", cmdStore},
    {"threadwait", cmdThreadwait},
    {"bcurgen", cmdBcurgen},
    {"bcurreg", cmdBcurreg},
}};
}  // namespace

std::span<const script::CommandRow> drawCommands() {
    return kCommands;
}

}  // namespace rz::render
