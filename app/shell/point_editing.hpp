#pragma once
// The shape-point editor behind the main window: 2118 begins it, the point-edit window's
// identifiers step, undo, finish and cancel, and a left press near a point in an
// orthographic pane drags that point in the pane's plane. The current point is marked in
// every pane; the window takes the mark off before each statement it runs and puts it back
// after, so whatever the statements draw, the XOR mark can always be taken away again.

#include <QPoint>

#include "app/shell/command_port.hpp"
#include "math/value_types.hpp"
#include "render/views.hpp"

namespace rz::app {

class PointEditWindow;

class PointEditing {
  public:
    PointEditing(CommandPort& port, render::Views& views, PointEditWindow& window);

    // False, with the reason in the status line, when there is no selected shape to edit.
    bool begin();
    // 451 undo, 2141 next, 2142 previous, 2155 the listed point, 2154 finish, 2152 cancel.
    void command(int id);
    bool active() const;

    void hideMarker();
    void showMarker();

    // A press that grabbed a point: the drag and the release that follow belong to it.
    bool grab(QPoint p);
    bool holding() const { return holding_; }
    // True when the mark moved.
    bool dragTo(QPoint p);
    void drop(QPoint p);

  private:
    void markChosen();
    Vec3 markedPoint() const;

    CommandPort& port_;
    render::Views& views_;
    PointEditWindow& window_;
    bool markerShown_ = false;
    Vec3 markerAt_{};
    bool holding_ = false;
    int pane_ = -1;  // the pane the held point was grabbed in
    Vec3 pressWorld_{};
    Vec3 dragged_{};  // how far the held point has been dragged
};

}  // namespace rz::app
