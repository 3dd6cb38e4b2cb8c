// The shape-point editor through the main window: 2118 begins it on the selected shape, a
// left-button drag in the XY view moves the point under the press, 451 takes the move back,
// 2154 applies the moves to the model.
#include <QTest>
#include <cmath>

#include "app/shell/tool_windows/point_edit_window.hpp"
#include "db/current_records.hpp"
#include "geometry/copy_shape.hpp"
#include "geometry/point_editor.hpp"
#include "tests/app/shell/shell_fixture.hpp"

namespace rz::test {
namespace {

// A box in a single XY view of 10 units a pixel, without the grid snap.
constexpr const char* kScene =
    "winmode = XY.MODE; set.winfact 2; set.wingrid 0; winclear; "
    "box.s = (0, 0, 0); box.e = (500, 500, 500); b.cursor.code = PRIM.BOX3; "
    "set.primitive box.s, box.e, 1, div, direc, futa; initlayer; winclear; wire; ";

db::Database& model(ShellFixture& f) {
    return db::database(f.w.interp);
}

QPoint pixelOf(const render::Pane& pane, float x, float y) {
    return {
        pane.rect.left + static_cast<int>(std::lround((x - pane.world.left) / pane.world.unitsH)),
        pane.rect.top + static_cast<int>(std::lround((y - pane.world.top) / pane.world.unitsV))};
}

bool near(const Vec3& a, const Vec3& b) {
    for (int k = 0; k < 3; ++k)
        if (std::abs(a[k] - b[k]) > 0.01f) return false;
    return true;
}

}  // namespace

class PointEditingTest : public QObject {
    Q_OBJECT
  private slots:
    void aDraggedPointEndsUpInTheModelAndUndoTakesItBack() {
        ShellFixture f;
        QVERIFY(f.show());
        f.window->run(kScene);
        db::Database& db = model(f);
        app::MainWindow& w = *f.window;

        // Nothing selected: the editor does not begin.
        w.sendCommand(2118);
        QVERIFY(!w.interfaceState().pointEditing);
        QCOMPARE(f.w.msg.errorCount(), 0);

        const int shapes = db.shapeCount;
        db.shapes[0].layer += db::kLayerSelect;
        w.sendCommand(2118);
        QVERIFY(w.interfaceState().pointEditing);
        QVERIFY(w.interfaceState().popup == app::ViewPopup::PointEdit);
        const std::vector<Vec3> points(geometry::editedPoints(db).begin(),
                                       geometry::editedPoints(db).end());
        QVERIFY(!points.empty());
        QCOMPARE(w.toolWindows().pointEdit().list().count(), static_cast<int>(points.size()));

        // The last point, dragged 100 units right and 200 up the view.
        const int grabbed = static_cast<int>(points.size()) - 1;
        const Vec3 at = points[grabbed];
        const render::Pane& pane = f.w.views.layout.panes[0];
        const QPoint from = pixelOf(pane, at[0], at[1]);
        const QPoint to = pixelOf(pane, at[0] + 100, at[1] + 200);
        const auto drag = [&] {
            QTest::mousePress(&w.view(), Qt::LeftButton, Qt::NoModifier, from);
            QTest::mouseMove(&w.view(), (from + to) / 2);
            QTest::mouseMove(&w.view(), to);
            QTest::mouseRelease(&w.view(), Qt::LeftButton, Qt::NoModifier, to);
        };
        drag();
        const int moved = geometry::currentPoint(db);
        QCOMPARE(w.toolWindows().pointEdit().chosenPoint(), moved);
        // Any point under the press will do; points on one pixel differ only in depth.
        const Vec3 before = points[moved];
        QCOMPARE(before[0], at[0]);
        QCOMPARE(before[1], at[1]);
        const Vec3 expected{before[0] + 100, before[1] + 200, before[2]};
        const Vec3 now = geometry::editedPoints(db)[moved];
        QVERIFY2(near(now, expected),
                 qPrintable(QString("(%1, %2, %3)").arg(now[0]).arg(now[1]).arg(now[2])));
        QVERIFY(db.shapes[0].editHead != db::kNoEdits);

        w.sendCommand(451);
        QVERIFY(near(geometry::editedPoints(db)[moved], before));
        QCOMPARE(db.shapes[0].editHead, db::kNoEdits);

        drag();
        w.sendCommand(2154);
        QVERIFY(!w.interfaceState().pointEditing);
        QVERIFY(w.interfaceState().popup == app::ViewPopup::Views);
        QVERIFY(w.modified());
        QCOMPARE(db.shapeCount, shapes + 1);
        QCOMPARE(db.shapes[0].layer, geometry::kRetiredLayer);
        const db::Shape& made = db.shapes[shapes];
        const Vec3 got = db.axes[made.axisId + moved].wv;
        QVERIFY2(near(got, expected),
                 qPrintable(QString("(%1, %2, %3)").arg(got[0]).arg(got[1]).arg(got[2])));
        QVERIFY(f.boxes.unexpected.isEmpty());
        QCOMPARE(f.w.msg.errorCount(), 0);
    }

    // The mark is drawn with XOR: cancelling takes it and the moves away again.
    void cancelLeavesModelAndViewsAsBefore() {
        ShellFixture f;
        QVERIFY(f.show());
        f.window->run(kScene);
        db::Database& db = model(f);
        db.shapes[0].layer += db::kLayerSelect;
        app::MainWindow& w = *f.window;
        w.run("draw L.SELECT, WIRE; winclear; wire;");
        const std::vector<std::uint8_t> image(f.w.views.raster.pixels().begin(),
                                              f.w.views.raster.pixels().end());
        const int shapes = db.shapeCount;
        w.sendCommand(2118);
        w.sendCommand(2141);
        w.sendCommand(2141);
        const std::vector<std::uint8_t> marked(f.w.views.raster.pixels().begin(),
                                               f.w.views.raster.pixels().end());
        QVERIFY(marked != image);
        QCOMPARE(geometry::currentPoint(db), 2);
        QVERIFY(geometry::movePoint(db, f.w.msg, 2, {5, 5, 5}) == script::kOk);
        w.sendCommand(2152);
        QVERIFY(!w.interfaceState().pointEditing);
        QCOMPARE(db.shapeCount, shapes);
        QCOMPARE(db.shapes[0].editHead, db::kNoEdits);
        const std::vector<std::uint8_t> after(f.w.views.raster.pixels().begin(),
                                              f.w.views.raster.pixels().end());
        QVERIFY(after == image);
    }
};

}  // namespace rz::test

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    rz::test::PointEditingTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "point_editing_test.moc"
