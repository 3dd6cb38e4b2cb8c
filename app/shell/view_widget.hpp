#pragma once
// The view area of the main window. Everything it shows is drawn by the core into the
// views' image; the widget copies that image to the screen, hands its size to the pane
// layout and the left mouse button to the box-cursor tools.

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

    // The right button: the window shows its pop-up at this screen position.
    std::function<void(QPoint globalPos)> showPopup;
    // Left-button presses, drags and releases go to these operations once they are set.
    void setMouseOperations(MouseOperations* operations) { operations_ = operations; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void settle();

    render::Views& views_;
    script::Interp& in_;
    std::function<void()> redraw_;
    MouseOperations* operations_ = nullptr;
};

}  // namespace rz::app
