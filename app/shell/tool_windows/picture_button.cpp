#include "app/shell/tool_windows/picture_button.hpp"

#include <QMouseEvent>
#include <QPainter>

namespace rz::app {

PictureButton::PictureButton(const QString& objectName, int id, const QString& pictureStem,
                             std::function<void(int)> send, QWidget* parent)
    : QWidget(parent),
      id_(id),
      up_(QStringLiteral(":/icons/%1_up.svg").arg(pictureStem)),
      down_(QStringLiteral(":/icons/%1_down.svg").arg(pictureStem)),
      send_(std::move(send)) {
    setObjectName(objectName);
    setFixedSize(kSide, kSide);
}

void PictureButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    (pressed_ ? down_ : up_).paint(&painter, rect());
}

void PictureButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    pressed_ = true;
    update();
}

void PictureButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !pressed_) return;
    pressed_ = false;
    repaint();
    send_(id_);
}

}  // namespace rz::app
