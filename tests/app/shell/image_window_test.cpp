// The image window shows the C-Buffer as it is, and what a render writes into it later
// reaches the screen while the window is shown.
#include <QScreen>
#include <QTest>

#include "tests/app/shell/shell_fixture.hpp"

namespace rz::test {
namespace {

QRgb bufferPixel(const db::ColorBuffer& b, int x, int y) {
    const std::uint8_t* p = b.pixels.data() + (static_cast<std::size_t>(y) * b.width + x) * 4;
    return qRgb(p[0], p[1], p[2]);
}

void paintPattern(db::ColorBuffer& b) {
    for (int y = 0; y < b.height; ++y)
        for (int x = 0; x < b.width; ++x) {
            std::uint8_t* p = b.pixels.data() + (static_cast<std::size_t>(y) * b.width + x) * 4;
            p[0] = static_cast<std::uint8_t>(x);
            p[1] = static_cast<std::uint8_t>(y);
            p[2] = static_cast<std::uint8_t>(x ^ y);
            p[3] = 0x5a;  // coverage: not shown
        }
}

}  // namespace

class ImageWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void showsTheColorBuffer() {
        ShellFixture f;
        db::ColorBuffer& buffer = f.w.db.colorBuffer;
        QVERIFY(buffer.width > 0 && buffer.height > 0);
        paintPattern(buffer);
        app::ImageWindow& window = f.window->imageWindow();
        QCOMPARE(window.objectName(), QStringLiteral("VORUZE_Zer"));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        app::ImageCanvas& canvas = window.canvas();
        QCOMPARE(canvas.size(), QSize(buffer.width, buffer.height));
        const QImage shown = canvas.grab().toImage();
        int wrong = 0;
        for (int y = 0; y < buffer.height; ++y)
            for (int x = 0; x < buffer.width; ++x)
                if ((shown.pixel(x, y) & 0xffffff) != (bufferPixel(buffer, x, y) & 0xffffff))
                    ++wrong;
        QCOMPARE(wrong, 0);
    }

    void whatARenderWritesReachesTheScreen() {
        ShellFixture f;
        db::ColorBuffer& buffer = f.w.db.colorBuffer;
        std::fill(buffer.pixels.begin(), buffer.pixels.end(), std::uint8_t{0});
        app::ImageWindow& window = f.window->imageWindow();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        // Written behind the window's back, as a render worker does.
        for (std::size_t i = 0; i + 3 < buffer.pixels.size(); i += 4) buffer.pixels[i] = 200;
        app::ImageCanvas& canvas = window.canvas();
        const QPoint at = canvas.mapTo(&window, QPoint(2, 2));
        QScreen* screen = window.screen();
        QTRY_COMPARE(
            screen->grabWindow(window.winId(), at.x(), at.y(), 1, 1).toImage().pixel(0, 0) &
                0xffffff,
            qRgb(200, 0, 0) & 0xffffff);
    }
};

int runImageWindowTests(int argc, char** argv) {
    ImageWindowTest t;
    return QTest::qExec(&t, argc, argv);
}

}  // namespace rz::test

#include "image_window_test.moc"
