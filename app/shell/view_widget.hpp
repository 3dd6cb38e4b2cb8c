#pragma once
// The view area of the main window. Everything it shows is drawn by the core into the
// views' image; the widget copies that image to the screen, hands its size to the pane
// layout, the left mouse button to the interactive operations and the right one to the
// pop-up menu or, during an operation, to its end.

#include <QPoint>
#include <QWidget>
#include <functional>

#include "render/views.hpp"
#include "script/interp.hpp"

namespace rz::app {

class MouseOperations;

class ViewWidget final : public QWidget {
  public:
    // redraw repaints the views after a size change (the shell runs the statements).
    ViewWidget(render::Views& views, script::Interp& in, std::function<void()> redraw,
               QWidget* parent);

    // The right button with no operation pending: the window shows its view pop-up there.
    std::function<void(QPoint globalPos)> showPopup;
    // Without operations the left button goes to the box cursor alone.
    void setMouseOperations(MouseOperations* operations) { operations_ = operations; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void settle();
    // The real-time display owns the view area; the mouse is its own there.
    bool realTime() const;
    void showHandleCursor();

    render::Views& views_;
    script::Interp& in_;
    std::function<void()> redraw_;
    MouseOperations* operations_ = nullptr;
};

}  // namespace rz::app
