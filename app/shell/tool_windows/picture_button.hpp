#pragma once
// A button drawn from two pictures: the up picture, and the pressed one while the left button
// is held on it. Qt grabs the mouse on the press, so the release reaches the button wherever
// it happens; the release sends the button's identifier to its window, as the palette's
// buttons always did.

#include <QIcon>
#include <QWidget>
#include <functional>

namespace rz::app {

class PictureButton final : public QWidget {
    Q_OBJECT
  public:
    // pictureStem names ":/icons/<stem>_up.svg" and ":/icons/<stem>_down.svg".
    PictureButton(const QString& objectName, int id, const QString& pictureStem,
                  std::function<void(int)> send, QWidget* parent);

    int id() const { return id_; }
    bool pressed() const { return pressed_; }
    QSize sizeHint() const override { return {kSide, kSide}; }

    static constexpr int kSide = 32;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    int id_;
    QIcon up_;
    QIcon down_;
    std::function<void(int)> send_;
    bool pressed_ = false;
};

}  // namespace rz::app
