#include "app/shell/mouse_operations.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include "app/shell/point_editing.hpp"
#include "db/current_records.hpp"
#include "db/system_variables.hpp"
#include "geometry/cursor_mouse.hpp"
#include "render/record_labels.hpp"
#include "render/view_drag.hpp"
#include "render/view_mouse.hpp"

namespace rz::app {
namespace {

using db::CursorMode;
using db::SysVar;
using Kind = MouseOperations::Kind;

constexpr const char* kRedraw = "winclear; wire; ";
constexpr const char* kMoveStep = "block.move; wire L.ACTIVE, O.WIRE; ";
constexpr const char* kCursorCancel = "matinit; wire L.ACTIVE, O.WIRE; ";
constexpr const char* kCursorClose = "block.restore; matinit; winclear; wire; ";

// The closing statements run apart from the apply, so that an apply that fails (a copy the
// stores cannot hold stops its statements) still leaves the cursor and the views as after a
// cancel. Once applied, the matrix is cleared: left current, the next abox.gen or affine
// would apply it a second time. Scaling changes the shapes themselves: affine.block would
// only carry the blocks' offsets through the matrix and leave their size as it was.
const std::array<MouseOperations::Operation, 11> kOperations{{
    {MouseMode::Translate, Kind::CursorMove, CursorMode::MoveBlocks, "abox2block; trans.block; ",
     kMoveStep, "block.move; affine.block L.ACTIVE; ", kCursorCancel, kCursorClose},
    {MouseMode::TranslateCopy, Kind::CursorMove, CursorMode::MoveCopy,
     "abox2block; transcopy.block; ", kMoveStep,
     "mdlcopy L.ACTIVE; block.move; affine.block L.ACTIVE; ", kCursorCancel, kCursorClose},
    {MouseMode::Scale, Kind::Scale, CursorMode::ScaleBlocks,
     "center.backup; abox2block; scale.block; ", "block.scaling; wire L.ACTIVE, O.WIRE; ",
     "block.scaling; affine L.ACTIVE; ", kCursorCancel,
     "block.restore; center.restore; matinit; winclear; wire; "},
    {MouseMode::CentrePoint, Kind::CentrePoint, CursorMode::Idle, "", "", "", "", kRedraw},
    {MouseMode::ViewScroll, Kind::ViewScroll, CursorMode::Idle, "", "", "", "", ""},
    {MouseMode::Camera, Kind::Camera, CursorMode::Idle, "", "", "", "", ""},
    {MouseMode::JointPosition, Kind::CursorMove, CursorMode::MoveParts, "abox2block; trans.parts; ",
     kMoveStep, "block.move; affine.rigid L.ACTIVE; ", kCursorCancel, kCursorClose},
    {MouseMode::PartTranslate, Kind::CursorMove, CursorMode::MoveParts, "abox2block; trans.parts; ",
     kMoveStep, "block.move; affine.block L.ACTIVE; ", kCursorCancel, kCursorClose},
    {MouseMode::ActorTranslate, Kind::CursorMove, CursorMode::MoveActor,
     "abox2block; trans.actor; ", kMoveStep,
     "block.move; affine.block L.ACTIVE; affine.rigid L.ACTIVE; ", kCursorCancel, kCursorClose},
    {MouseMode::PickBlock, Kind::PickBlock, CursorMode::Idle, "", "", "", "", kRedraw},
    {MouseMode::PickFace, Kind::PickFace, CursorMode::Idle, "", "", "", "", kRedraw},
}};

// Statements with numbers in them; fixed notation, which the lexer reads back exactly enough
// for the float variables they go into.
class Statement {
  public:
    template <class... Args>
    explicit Statement(const char* format, Args... args) {
        const int n = std::snprintf(text_.data(), text_.size(), format, args...);
        ok_ = n > 0 && static_cast<std::size_t>(n) < text_.size();
    }
    // A statement that did not fit is not run at all, rather than cut.
    bool ok() const { return ok_; }
    const char* c_str() const { return text_.data(); }

  private:
    // Room for every number a float can print as.
    std::array<char, 2048> text_{};
    bool ok_ = false;
};

double d(float v) {
    return static_cast<double>(v);
}

}  // namespace

MouseOperations::MouseOperations(CommandPort& port, render::Views& views, InterfaceState& state)
    : port_(port), views_(views), state_(state) {}

const MouseOperations::Operation* MouseOperations::operation() const {
    const auto it = std::ranges::find(kOperations, state_.mouse, &Operation::mode);
    return it == kOperations.end() ? nullptr : &*it;
}

bool MouseOperations::holdingHandle() const {
    const CursorMode mode = db::database(port_.interp()).boxCursor.mode;
    return mode == CursorMode::DragCorner || mode == CursorMode::ScaleCorner;
}

void MouseOperations::press(QPoint p) {
    held_ = true;
    const Operation* op = operation();
    if (op == nullptr) {
        if (state_.pointEditing && pointEditing_ != nullptr && pointEditing_->grab(p)) return;
        script::Interp& in = port_.interp();
        const float direction = db::scalarVar(in, SysVar::Direc);
        render::viewMousePress(views_, in, p.x(), p.y());
        if (db::scalarVar(in, SysVar::Direc) != direction && directionChanged)
            directionChanged(static_cast<int>(db::scalarVar(in, SysVar::Direc)));
        return;
    }
    switch (op->kind) {
        case Kind::CursorMove:
        case Kind::Scale:
            pressCursor(*op, p);
            return;
        case Kind::CentrePoint:
            pressGridPoint(
                "g.pos = ( %.4f, %.4f, %.4f ); center ( %.4f, %.4f, %.4f ); winclear; wire; ", p);
            return;
        case Kind::ViewScroll: {
            takeSnapshot();
            const Vec3 centre = db::vectorVar(port_.interp(), SysVar::WCenter);
            scrolling_ = render::scrolledCentre(views_.layout, centre, p.x(), p.y(), p.x(), p.y())
                             .has_value();
            pressed_ = p;
            centreAtPress_ = centre;
            // The perspective pane has no plane to scroll in: it looks at the grid point.
            if (!scrolling_)
                pressGridPoint("g.pos = ( %.4f, %.4f, %.4f ); gcursor.target; winclear; wire; ", p);
            return;
        }
        case Kind::Camera:
            takeSnapshot();
            last_ = p;
            return;
        case Kind::PickBlock:
            render::pickBlockAt(views_, port_.interp(), p.x(), p.y());
            return;
        case Kind::PickFace:
            render::pickShapeAt(views_, port_.interp(), p.x(), p.y());
            return;
    }
}

void MouseOperations::pressCursor(const Operation& op, QPoint p) {
    script::Interp& in = port_.interp();
    if (db::database(in).boxCursor.mode != op.tool) port_.run(op.toolStatement);
    render::viewMousePress(views_, in, p.x(), p.y());
}

// The grid point under the mouse goes into statements that take it twice (g.pos and the
// point the operation puts it to).
void MouseOperations::pressGridPoint(const char* statements, QPoint p) {
    script::Interp& in = port_.interp();
    const render::PaneUnderMouse under(views_, in, p.x(), p.y());
    if (!under.found()) return;
    const std::optional<Vec3> g = geometry::gridPointUnderMouse(in, under.mouse());
    if (!g) return;
    const Vec3 v = *g;
    const Statement s(statements, d(v[0]), d(v[1]), d(v[2]), d(v[0]), d(v[1]), d(v[2]));
    if (!s.ok()) return;
    port_.run(s.c_str());
    changed_ = true;
}

bool MouseOperations::drag(QPoint p) {
    if (!held_) return false;
    const Operation* op = operation();
    script::Interp& in = port_.interp();
    if (op == nullptr) {
        if (pointEditing_ != nullptr && pointEditing_->holding()) return pointEditing_->dragTo(p);
        const bool moved = render::viewMouseDrag(views_, in, p.x(), p.y());
        changed_ = changed_ || moved;
        return moved;
    }
    switch (op->kind) {
        case Kind::CursorMove:
        case Kind::Scale:
            if (!render::viewMouseDrag(views_, in, p.x(), p.y())) return false;
            port_.run(op->step);
            changed_ = true;
            return true;
        case Kind::ViewScroll:
            return dragScroll(p);
        case Kind::Camera:
            return dragCamera(p);
        case Kind::CentrePoint:
        case Kind::PickBlock:
        case Kind::PickFace:
            break;
    }
    return false;
}

bool MouseOperations::dragScroll(QPoint p) {
    if (!scrolling_) return false;
    const std::optional<Vec3> c = render::scrolledCentre(views_.layout, centreAtPress_,
                                                         pressed_.x(), pressed_.y(), p.x(), p.y());
    if (!c || *c == db::vectorVar(port_.interp(), SysVar::WCenter)) return false;
    const Statement s("w.center = ( %.4f, %.4f, %.4f ); winclear; wire; ", d((*c)[0]), d((*c)[1]),
                      d((*c)[2]));
    if (!s.ok()) return false;
    port_.run(s.c_str());
    changed_ = true;
    return true;
}

bool MouseOperations::dragCamera(QPoint p) {
    const QPoint delta = p - last_;
    if (delta.isNull()) return false;
    last_ = p;
    script::Interp& in = port_.interp();
    const Vec3& eye = db::vectorVar(in, SysVar::CPos);
    const Vec3& target = db::vectorVar(in, SysVar::CTar);
    const float distance = std::hypot(eye[0] - target[0], eye[1] - target[1], eye[2] - target[2]);
    const render::CameraStep step = render::cameraDragStep(delta.x(), delta.y(), distance);
    const Statement s("angle.y ( %.4f ); foward ( %.4f ); parswinclear; parswire.thread; ",
                      d(step.degrees), d(step.forward));
    if (!s.ok()) return false;
    port_.run(s.c_str());
    changed_ = true;
    return true;
}

void MouseOperations::release(QPoint p) {
    // The button of a press the right button has already ended an operation for.
    if (!held_) return;
    held_ = false;
    const Operation* op = operation();
    if (op == nullptr) {
        if (pointEditing_ != nullptr && pointEditing_->holding()) {
            pointEditing_->drop(p);
            return;
        }
        render::viewMouseRelease(views_, port_.interp(), p.x(), p.y());
        if (changed_) port_.run(kRedraw);
        changed_ = false;
        return;
    }
    if (op->kind == Kind::CursorMove || op->kind == Kind::Scale)
        render::viewMouseRelease(views_, port_.interp(), p.x(), p.y());
    // A click that found nothing to act on leaves the operation waiting for the next one;
    // picking goes on until the right button.
    if (!changed_ || op->kind == Kind::PickBlock || op->kind == Kind::PickFace) return;
    end(op->apply, op->close);
}

void MouseOperations::finish() {
    const Operation* op = operation();
    if (op == nullptr) return;
    if (op->kind == Kind::ViewScroll || op->kind == Kind::Camera) restoreSnapshot();
    end(op->cancel, op->close);
}

void MouseOperations::takeSnapshot() {
    if (snapshotTaken_) return;
    script::Interp& in = port_.interp();
    snapshot_ = {db::vectorVar(in, SysVar::WCenter), db::vectorVar(in, SysVar::GridCenter),
                 db::vectorVar(in, SysVar::GPos),    db::vectorVar(in, SysVar::CPos),
                 db::vectorVar(in, SysVar::CTar),    db::vectorVar(in, SysVar::CUpper)};
    snapshotTaken_ = true;
}

// The view goes back to where it was when the operation began.
void MouseOperations::restoreSnapshot() {
    if (!snapshotTaken_) return;
    const ViewSnapshot& v = snapshot_;
    const auto s = [](const Vec3& a) { return std::array{d(a[0]), d(a[1]), d(a[2])}; };
    const auto c = s(v.centre);
    const auto gc = s(v.gridCentre);
    const auto gp = s(v.gridPoint);
    const auto e = s(v.eye);
    const auto t = s(v.target);
    const auto u = s(v.upper);
    const Statement st(
        "w.center = ( %.4f, %.4f, %.4f ); grid.center = ( %.4f, %.4f, %.4f ); "
        "g.pos = ( %.4f, %.4f, %.4f ); c.pos = ( %.4f, %.4f, %.4f ); "
        "c.tar = ( %.4f, %.4f, %.4f ); c.upper = ( %.6f, %.6f, %.6f ); winclear; wire; ",
        c[0], c[1], c[2], gc[0], gc[1], gc[2], gp[0], gp[1], gp[2], e[0], e[1], e[2], t[0], t[1],
        t[2], u[0], u[1], u[2]);
    if (st.ok()) port_.run(st.c_str());
}

void MouseOperations::end(const char* statements, const char* close) {
    if (*statements != '\0') port_.run(statements);
    if (*close != '\0') port_.run(close);
    render::endCursorTool(port_.interp());
    held_ = false;
    state_.mouse = MouseMode::None;
    changed_ = false;
    scrolling_ = false;
    snapshotTaken_ = false;
    if (ended) ended();
}

}  // namespace rz::app
