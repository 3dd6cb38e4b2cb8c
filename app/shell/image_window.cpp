#include "app/shell/image_window.hpp"

#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

namespace rz::app {
namespace {

constexpr int kBytesPerPixel = 4;
constexpr int kScrollStep = 16;
// A 640 × 480 image with its scroll bars and button.
constexpr QSize kInitialSize(680, 560);

bool complete(const db::ColorBuffer& b) {
    return b.width > 0 && b.height > 0 &&
           b.pixels.size() >= static_cast<std::size_t>(b.width) *
                                  static_cast<std::size_t>(b.height) * kBytesPerPixel;
}

}  // namespace

ImageCanvas::ImageCanvas(const db::ColorBuffer& buffer, QWidget* parent)
    : QWidget(parent), buffer_(buffer) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    follow();
}

void ImageCanvas::follow() {
    const QSize size = complete(buffer_) ? QSize(buffer_.width, buffer_.height) : QSize(1, 1);
    if (size != this->size()) setFixedSize(size);
}

void ImageCanvas::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    if (!complete(buffer_)) {
        painter.fillRect(event->rect(), Qt::black);
        return;
    }
    // RGBX bytes are exactly what the C-Buffer holds; the image only points at them.
    const QImage image(buffer_.pixels.data(), buffer_.width, buffer_.height,
                       static_cast<qsizetype>(buffer_.width) * kBytesPerPixel,
                       QImage::Format_RGBX8888);
    painter.drawImage(event->rect().topLeft(), image, event->rect());
}

ImageWindow::ImageWindow(const db::ColorBuffer& buffer, QWidget* parent)
    : QWidget(parent, Qt::Window),
      layout_(this),
      scroll_(this),
      canvas_(buffer, nullptr),
      close_(QStringLiteral("閉じる"), this) {
    setObjectName("VORUZE_Zer");
    setWindowTitle("C-Buffer");
    scroll_.setWidget(&canvas_);
    scroll_.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    scroll_.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    scroll_.horizontalScrollBar()->setSingleStep(kScrollStep);
    scroll_.verticalScrollBar()->setSingleStep(kScrollStep);
    connect(&close_, &QPushButton::clicked, this, &QWidget::hide);
    layout_.addWidget(&scroll_, 0, 0, 1, 2);
    layout_.addWidget(&close_, 1, 1);
    layout_.setColumnStretch(0, 1);

    timer_.setInterval(kRefreshMs);
    connect(&timer_, &QTimer::timeout, this, &ImageWindow::refresh);
    resize(kInitialSize);
}

void ImageWindow::showEvent(QShowEvent*) {
    refresh();
    timer_.start();
}

void ImageWindow::hideEvent(QHideEvent*) {
    timer_.stop();
}

void ImageWindow::refresh() {
    canvas_.follow();
    canvas_.update();
}

}  // namespace rz::app
