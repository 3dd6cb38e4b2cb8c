#pragma once
// The interactive operations in the views: what left-button presses, drags and releases do
// in the current mouse mode, each ending in the statements a script would run.

#include <QPoint>
#include <functional>

#include "app/shell/command_port.hpp"
#include "app/shell/interface_state.hpp"
#include "db/box_cursor_state.hpp"
#include "math/value_types.hpp"
#include "render/views.hpp"

namespace rz::app {

class PointEditing;

class MouseOperations {
  public:
    MouseOperations(CommandPort& port, render::Views& views, InterfaceState& state);

    // Called when an operation a menu began (state.mouse) is over: the window re-enables
    // its menu bar and takes input again.
    std::function<void()> ended;
    // A press on the box cursor's direction marker turned the block direction (1 X, 2 Y,
    // 3 Z): the window moves the check mark of its direction items.
    std::function<void(int direction)> directionChanged;
    // While shape points are edited, a press with no operation pending grabs a point here.
    void setPointEditing(PointEditing* editing) { pointEditing_ = editing; }

    // Mouse events in the view area, in its pixels.
    void press(QPoint p);
    // True when something was drawn.
    bool drag(QPoint p);
    void release(QPoint p);
    // The right button during an operation: it ends with its closing statements.
    void finish();
    bool pending() const { return state_.mouse != MouseMode::None; }
    // A handle of the box cursor is held: the views show the four-way arrow.
    bool holdingHandle() const;
    const InterfaceState& state() const { return state_; }

    // What an operation does, by its mouse mode (documented in docs/architecture.md).
    enum class Kind { CursorMove, Scale, CentrePoint, ViewScroll, Camera, PickBlock, PickFace };
    struct Operation {
        MouseMode mode;
        Kind kind;
        db::CursorMode tool;        // the box-cursor tool the operation drags with
        const char* toolStatement;  // selects it, from the current box, when the menu did not
        const char* step;           // after each drag step that moved the cursor
        const char* apply;          // at the release after a change
        const char* cancel;         // the right button
        const char* close;          // after the apply or the cancel
    };

  private:
    // Before the first press of an operation: what a cancel of a view operation restores.
    struct ViewSnapshot {
        Vec3 centre{};
        Vec3 gridCentre{};
        Vec3 gridPoint{};
        Vec3 eye{};
        Vec3 target{};
        Vec3 upper{};
    };

    const Operation* operation() const;
    void pressCursor(const Operation& op, QPoint p);
    void pressGridPoint(const char* statements, QPoint p);
    bool dragScroll(QPoint p);
    bool dragCamera(QPoint p);
    void takeSnapshot();
    void restoreSnapshot();
    void end(const char* statements, const char* close);

    CommandPort& port_;
    render::Views& views_;
    InterfaceState& state_;
    PointEditing* pointEditing_ = nullptr;
    bool held_ = false;       // the left button went down here and is not up yet
    bool changed_ = false;    // the operation has something to apply
    bool scrolling_ = false;  // the press began a scroll in an orthographic pane
    QPoint pressed_;
    QPoint last_;
    Vec3 centreAtPress_{};
    bool snapshotTaken_ = false;
    ViewSnapshot snapshot_;
};

}  // namespace rz::app
