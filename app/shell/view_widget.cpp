#include "app/shell/view_widget.hpp"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>

#include "app/shell/mouse_operations.hpp"
#include "render/drawing_threads.hpp"
#include "render/view_mouse.hpp"
#include "render/view_resize.hpp"

namespace rz::app {

ViewWidget::ViewWidget(render::Views& views, script::Interp& in, std::function<void()> redraw,
                       QWidget* parent)
    : QWidget(parent), views_(views), in_(in), redraw_(std::move(redraw)) {
    // The image covers every pixel; there is no background to paint first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

// The view worker draws into the image between two statements; a change from here must
// not happen beside it.
void ViewWidget::settle() {
    if (render::DrawingThreads* threads = render::startedThreads(in_); threads != nullptr)
        threads->stopViews();
}

void ViewWidget::paintEvent(QPaintEvent* event) {
    // The view worker lets go of the image between two shapes.
    std::unique_lock<std::mutex> drawing;
    if (render::DrawingThreads* threads = render::startedThreads(in_); threads != nullptr)
        drawing = std::unique_lock(threads->viewsLock());
    const render::Raster& raster = views_.raster;
    // A view onto the image, not a copy; it lives only while it is painted.
    const QImage image(raster.pixels().data(), raster.width(), raster.height(),
                       static_cast<qsizetype>(raster.stride()), QImage::Format_RGB888);
    QPainter painter(this);
    painter.fillRect(event->rect(), Qt::black);
    painter.drawImage(event->rect().topLeft(), image, event->rect());
}

void ViewWidget::resizeEvent(QResizeEvent*) {
    settle();
    // An image that cannot be had keeps the old one; it is shown cut to the window.
    if (render::resizeViews(views_, in_, width(), height()) == render::ImageStatus::Ok) redraw_();
    update();
}

void ViewWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton && showPopup) {
        showPopup(event->globalPosition().toPoint());
        return;
    }
    if (event->button() != Qt::LeftButton) return;
    settle();
    const QPoint p = event->position().toPoint();
    if (operations_ != nullptr)
        operations_->press(p);
    else
        render::viewMousePress(views_, in_, p.x(), p.y());
    update();
}

void ViewWidget::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton)) return;
    settle();
    const QPoint p = event->position().toPoint();
    const bool moved = operations_ != nullptr ? operations_->drag(p)
                                              : render::viewMouseDrag(views_, in_, p.x(), p.y());
    if (moved) update();
}

void ViewWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    settle();
    const QPoint p = event->position().toPoint();
    if (operations_ != nullptr)
        operations_->release(p);
    else
        render::viewMouseRelease(views_, in_, p.x(), p.y());
    update();
}

}  // namespace rz::app
