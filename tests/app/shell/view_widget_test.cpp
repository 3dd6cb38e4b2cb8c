// The view area shows the core's image pixel for pixel, follows the window's size and hands
// the left button to the box-cursor tools with the pixel it was pressed on.
#include <QTest>

#include "app/start_actions.hpp"
#include "db/system_variables.hpp"
#include "render/pane_layout.hpp"
#include "render/view_mouse.hpp"
#include "render/view_repaint.hpp"
#include "render/view_resize.hpp"
#include "tests/app/shell/shell_fixture.hpp"

namespace rz::test {
namespace {

// The widget's pixels as the core stores its image: rows of red, green, blue.
QByteArray shownPixels(QWidget& widget) {
    const QImage shown = widget.grab().toImage().convertToFormat(QImage::Format_RGB888);
    QByteArray bytes;
    for (int y = 0; y < shown.height(); ++y)
        bytes.append(reinterpret_cast<const char*>(shown.constScanLine(y)), shown.width() * 3);
    return bytes;
}

QByteArray corePixels(const render::Raster& raster) {
    const auto p = raster.pixels();
    return QByteArray(reinterpret_cast<const char*>(p.data()), static_cast<qsizetype>(p.size()));
}

// The pixel of an XY pane that shows world (x, y).
QPoint pixelOf(const render::Pane& pane, float x, float y) {
    return {pane.rect.left + static_cast<int>((x - pane.world.left) / pane.world.unitsH),
            pane.rect.top + static_cast<int>((y - pane.world.top) / pane.world.unitsV)};
}

}  // namespace

class ViewWidgetTest : public QObject {
    Q_OBJECT
  private slots:
    void showsTheDrawingLayerPixelForPixel() {
        ShellFixture f;
        QVERIFY(f.show());
        app::runScriptFile(f.w, ROVORA_SOURCE_DIR "/examples/views.sub");
        f.window->run("winmode = W4.MODE; winclear; wire;");
        QVERIFY(f.boxes.unexpected.isEmpty());
        app::ViewWidget& view = f.window->view();
        QCOMPARE(QSize(f.w.views.raster.width(), f.w.views.raster.height()), view.size());
        QCOMPARE(f.w.views.layout.count, 4);
        QCOMPARE(shownPixels(view), corePixels(f.w.views.raster));
    }

    void followsTheWindowSize() {
        ShellFixture f;
        QVERIFY(f.show());
        app::ViewWidget& view = f.window->view();
        f.window->resize(820, 700);
        QTRY_COMPARE(view.width(), f.w.views.raster.width());
        QTRY_COMPARE(view.height(), f.w.views.raster.height());
        QVERIFY(view.width() > 700);
        const render::ViewArea area = render::fitViewArea(view.width(), view.height());
        QCOMPARE(render::viewArea(f.w.interp).width, area.width);
        QCOMPARE(render::viewArea(f.w.interp).height, area.height);
        // The views were drawn again for the new size.
        QCOMPARE(shownPixels(view), corePixels(f.w.views.raster));
    }

    void leftButtonDragsTheBoxCursor() {
        ShellFixture f;
        QVERIFY(f.show());
        f.window->run(
            "grid.sw = 0; set.winfact 2; winmode = XY.MODE; box.s = (0, 0, 0);"
            "box.e = (500, 500, 500); winclear; wire; blockON;");
        const render::Pane& pane = f.w.views.layout.panes[0];
        const QPoint corner = pixelOf(pane, 500, 500);
        const QPoint to = pixelOf(pane, 700, 800);
        app::ViewWidget& view = f.window->view();
        QTest::mousePress(&view, Qt::LeftButton, Qt::NoModifier, corner);
        QTest::mouseMove(&view, to);
        QTest::mouseRelease(&view, Qt::LeftButton, Qt::NoModifier, to);
        QVERIFY(f.boxes.unexpected.isEmpty());
        QCOMPARE(db::vectorVar(f.w.interp, db::SysVar::BoxS), (Vec3{0, 0, 0}));
        QCOMPARE(db::vectorVar(f.w.interp, db::SysVar::BoxE), (Vec3{700, 800, 500}));
        QCOMPARE(shownPixels(view), corePixels(f.w.views.raster));
    }
};

int runViewWidgetTests(int argc, char** argv) {
    ViewWidgetTest t;
    return QTest::qExec(&t, argc, argv);
}

}  // namespace rz::test

#include "view_widget_test.moc"
