#pragma once
// The image window: the renderer's C-Buffer in a window of its own, with scroll bars whose
// positions give the top-left pixel shown. A render may be writing the buffer from a
// worker; the window takes no lock and repaints on a timer while it is shown, so a partly
// drawn image is what it shows then.

#include <QGridLayout>
#include <QPushButton>
#include <QScrollArea>
#include <QTimer>
#include <QWidget>

#include "db/database.hpp"

namespace rz::app {

// The pixels of the C-Buffer, painted as they are (red, green, blue, unused; rows top first).
class ImageCanvas final : public QWidget {
  public:
    ImageCanvas(const db::ColorBuffer& buffer, QWidget* parent);
    // Takes the buffer's size when it changed.
    void follow();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const db::ColorBuffer& buffer_;
};

class ImageWindow final : public QWidget {
  public:
    static constexpr int kRefreshMs = 200;

    ImageWindow(const db::ColorBuffer& buffer, QWidget* parent);
    ImageCanvas& canvas() { return canvas_; }

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void refresh();

    // Children are members: each leaves its parent before the parent goes, so the
    // order here (parents first) is what makes tearing down safe.
    QGridLayout layout_;
    QScrollArea scroll_;
    ImageCanvas canvas_;
    QPushButton close_;
    QTimer timer_;
};

}  // namespace rz::app
