// The palette and the tool windows against a port that records what reaches the main window
// and runs the statements on a started workstation, so the camera and the lists show real
// values.
#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSvgRenderer>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <vector>

#include "app/shell/dialog_host.hpp"
#include "app/shell/tool_windows.hpp"
#include "app/shell/tool_windows/camera_window.hpp"
#include "app/shell/tool_windows/command_palette.hpp"
#include "app/shell/tool_windows/picture_button.hpp"
#include "app/shell/tool_windows/point_edit_window.hpp"
#include "app/shell/tool_windows/record_list_window.hpp"
#include "app/shell/tool_windows/variables.hpp"
#include "platform/recording_sink.hpp"
#include "script/statement.hpp"
#include "workstation/workstation.hpp"

Q_DECLARE_METATYPE(rz::Vec3)

namespace rz::test {
namespace {

// What reached the main window, in order: "send 501" or "run <statements>".
class RecordingPort final : public app::CommandPort {
  public:
    RecordingPort() { w.start(db::Settings{}); }
    void sendCommand(int id) override { log.push_back("send " + QString::number(id)); }
    void run(const char* statements) override {
        log.push_back("run " + QString::fromUtf8(statements));
        script::execCommandString(w.interp, 0, statements);
    }
    script::Interp& interp() override { return w.interp; }
    app::DialogHost& dialogs() override { return host; }
    QWidget& owner() override { return main; }
    void showModelFile(const QString&) override {}
    db::Settings& settings() override { return w.settings; }
    app::CameraSteps& cameraSteps() override { return steps; }

    QStringList sent() const {
        QStringList ids;
        for (const QString& entry : log)
            if (entry.startsWith("send ")) ids << entry.mid(5);
        return ids;
    }
    Vec3 vector(const char* name) { return app::vectorVariable(w.interp, name).value(); }
    float scalar(const char* name) { return app::scalarVariable(w.interp, name).value(); }
    void setCamera(const char* pos) {
        run(pos);
        log.clear();
    }

    platform::RecordingSink sink;
    workstation::Workstation w{sink};
    app::DialogHost host;
    QWidget main;
    QStringList log;
    app::CameraSteps steps;
};

bool near(const Vec3& got, const Vec3& want) {
    for (std::size_t i = 0; i < 3; ++i)
        if (std::abs(got[i] - want[i]) > 0.01f) return false;
    return true;
}

QString shown(const Vec3& v) {
    return QStringLiteral("(%1, %2, %3)").arg(v[0]).arg(v[1]).arg(v[2]);
}

}  // namespace

class ToolWindowsTest : public QObject {
    Q_OBJECT
  private slots:
    // Every palette button: the pressed picture while the button is held, nothing sent
    // until the release, then its identifier.
    void paletteButton_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("id");
        for (const app::PaletteButton& b : app::kPaletteButtons)
            QTest::newRow(b.name) << QString::fromLatin1(b.name) << b.id;
    }
    void paletteButton() {
        QFETCH(QString, name);
        QFETCH(int, id);
        RecordingPort port;
        app::CommandPalette palette(port, &port.main);
        auto* button = palette.findChild<app::PictureButton*>(name);
        QVERIFY(button != nullptr);
        const auto* row = std::find_if(app::kPaletteButtons.begin(), app::kPaletteButtons.end(),
                                       [&](const app::PaletteButton& b) { return b.id == id; });
        for (const char* state : {"up", "down"})
            QVERIFY(QSvgRenderer(QStringLiteral(":/icons/%1_%2.svg").arg(row->picture, state))
                        .isValid());
        palette.show();
        const QImage up = button->grab().toImage();
        QVERIFY(up.pixel(16, 16) != up.pixel(1, 1));  // a picture, not a bare frame
        QTest::mousePress(button, Qt::LeftButton);
        QVERIFY(button->pressed());
        QVERIFY(port.log.isEmpty());
        QVERIFY(button->grab().toImage() != up);
        QTest::mouseRelease(button, Qt::LeftButton);
        QCOMPARE(port.sent(), QStringList{QString::number(id)});
        QCOMPARE(button->grab().toImage(), up);
    }

    void palettePassesOn_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<bool>("passed");
        for (const auto& [id, passed] : std::initializer_list<std::pair<int, bool>>{{500, false},
                                                                                    {501, true},
                                                                                    {517, true},
                                                                                    {518, false},
                                                                                    {2109, false},
                                                                                    {2110, true},
                                                                                    {2112, true},
                                                                                    {2113, false},
                                                                                    {2116, false},
                                                                                    {2117, true},
                                                                                    {2118, true},
                                                                                    {2119, false},
                                                                                    {0, false}})
            QTest::newRow(qPrintable(QString::number(id))) << id << passed;
    }
    void palettePassesOn() {
        QFETCH(int, id);
        QFETCH(bool, passed);
        RecordingPort port;
        app::CommandPalette palette(port, &port.main);
        palette.command(id);
        QCOMPARE(port.sent(), passed ? QStringList{QString::number(id)} : QStringList{});
    }

    // Each camera button changes the camera (eye at (30, 40, 0), 50 from the target at the
    // origin) as its kind says, then sends its identifier.
    void cameraButton_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("id");
        QTest::addColumn<bool>("runs");
        QTest::addColumn<Vec3>("eye");
        QTest::addColumn<Vec3>("upper");
        const Vec3 same{30, 40, 0};
        const Vec3 up{0, 1, 0};
        QTest::newRow("along x") << "Cam0Push" << 224 << true << Vec3{50, 0, 0} << up;
        QTest::newRow("along y") << "Cam1Push" << 225 << true << Vec3{0, 50, 0} << Vec3{0, 0, -1};
        QTest::newRow("along z") << "Cam2Push" << 226 << true << Vec3{0, 0, 50} << up;
        QTest::newRow("fit") << "Cam3Push" << 214 << false << same << up;
        QTest::newRow("mouse") << "Cam4Push" << 227 << false << same << up;
        QTest::newRow("steps") << "Cam7Push" << 228 << false << same << up;
    }
    void cameraButton() {
        QFETCH(QString, name);
        QFETCH(int, id);
        QFETCH(bool, runs);
        QFETCH(Vec3, eye);
        QFETCH(Vec3, upper);
        RecordingPort port;
        port.setCamera("c.pos = ( 30, 40, 0 ); c.tar = ( 0, 0, 0 ); c.upper = ( 0, 1, 0 ); ");
        app::CameraWindow camera(port, &port.main);
        camera.show();
        const auto* row = std::find_if(app::kCameraButtons.begin(), app::kCameraButtons.end(),
                                       [&](const app::CameraButton& b) { return b.id == id; });
        for (const char* state : {"up", "down"})
            QVERIFY(QSvgRenderer(QStringLiteral(":/icons/%1_%2.svg").arg(row->picture, state))
                        .isValid());
        QTest::mouseClick(camera.findChild<app::PictureButton*>(name), Qt::LeftButton);
        QCOMPARE(port.sent(), QStringList{QString::number(id)});
        QCOMPARE(port.log.size(), runs ? 2 : 1);
        QCOMPARE(port.log.back(), "send " + QString::number(id));
        QVERIFY2(near(port.vector("c.pos"), eye), qPrintable(shown(port.vector("c.pos"))));
        QVERIFY2(near(port.vector("c.upper"), upper), qPrintable(shown(port.vector("c.upper"))));
        QVERIFY(port.sink.boxes().empty());
    }

    // An axis view taken back with the undo button.
    void cameraUndo() {
        RecordingPort port;
        port.setCamera("c.pos = ( 30, 40, 0 ); c.tar = ( 0, 0, 0 ); ");
        app::CameraWindow camera(port, &port.main);
        camera.show();
        QTest::mouseClick(camera.findChild<app::PictureButton*>("Cam2Push"), Qt::LeftButton);
        QTest::mouseClick(camera.findChild<app::PictureButton*>("Cam6Push"), Qt::LeftButton);
        QCOMPARE(port.sent(), (QStringList{"226", "222"}));
        QVERIFY2(near(port.vector("c.pos"), {30, 40, 0}), qPrintable(shown(port.vector("c.pos"))));
    }

    // The bars turn the eye about the target's world axes, scale its distance and set the
    // field of view, each then sending its identifier.
    void cameraBar_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<Vec3>("from");
        QTest::addColumn<int>("value");
        QTest::addColumn<Vec3>("eye");
        QTest::newRow("x axis") << 414 << Vec3{0, 100, 0} << 90 << Vec3{0, 0, 100};
        QTest::newRow("y axis") << 415 << Vec3{100, 0, 0} << 90 << Vec3{0, 0, -100};
        QTest::newRow("z axis") << 416 << Vec3{100, 0, 0} << 90 << Vec3{0, 100, 0};
        QTest::newRow("nearer") << 417 << Vec3{100, 0, 0} << 10
                                << Vec3{static_cast<float>(100 * std::pow(0.98, 10)), 0, 0};
        QTest::newRow("farther") << 417 << Vec3{100, 0, 0} << -10
                                 << Vec3{static_cast<float>(100 * std::pow(0.98, -10)), 0, 0};
    }
    void cameraBar() {
        QFETCH(int, id);
        QFETCH(Vec3, from);
        QFETCH(int, value);
        QFETCH(Vec3, eye);
        RecordingPort port;
        port.setCamera(qPrintable(QStringLiteral("c.pos = ( %1, %2, %3 ); c.tar = ( 0, 0, 0 ); "
                                                 "c.upper = ( 0, 0, 1 ); ")
                                      .arg(from[0])
                                      .arg(from[1])
                                      .arg(from[2])));
        app::CameraWindow camera(port, &port.main);
        camera.show();
        camera.bar(id)->setValue(value);
        QCOMPARE(port.sent(), QStringList{QString::number(id)});
        QVERIFY2(near(port.vector("c.pos"), eye), qPrintable(shown(port.vector("c.pos"))));
        // Back to the middle: where it started.
        camera.bar(id)->setValue(0);
        QVERIFY2(near(port.vector("c.pos"), from), qPrintable(shown(port.vector("c.pos"))));
        QVERIFY(port.sink.boxes().empty());
    }

    void cameraZoom() {
        RecordingPort port;
        port.setCamera("c.zoom = 60; ");
        app::CameraWindow camera(port, &port.main);
        camera.show();
        QCOMPARE(camera.bar(418)->value(), 60);
        camera.bar(418)->setValue(45);
        QCOMPARE(port.scalar("c.zoom"), 45.0f);
        QCOMPARE(port.sent(), QStringList{"418"});
    }

    // Each list shows the records; a new record appears once its refresh command arrives;
    // choosing a row makes that record current and sends the list's identifier.
    void recordList_data() {
        QTest::addColumn<int>("window");
        QTest::addColumn<QString>("create");
        QTest::addColumn<int>("refresh");
        QTest::addColumn<QString>("pointer");
        QTest::addColumn<int>("chosen");
        QTest::addColumn<int>("firstRecord");
        QTest::newRow("material") << static_cast<int>(app::ToolWindow::Material)
                                  << "new.atr; set.atr; " << 2535 << "atr.point" << 2542 << 0;
        QTest::newRow("mapping") << static_cast<int>(app::ToolWindow::Mapping)
                                 << "new.mapinfo; set.mapinfo; " << 2417 << "mi.point" << 2902 << 0;
        QTest::newRow("selection") << static_cast<int>(app::ToolWindow::Selection)
                                   << "set.primitive box.s, box.e, 1, 4, direc, futa; "
                                      "set.layer L.ACTIVE; new.block; num.block 0; "
                                   << 2654 << "b.point" << 2650 << 1;
    }
    void recordList() {
        QFETCH(int, window);
        QFETCH(QString, create);
        QFETCH(int, refresh);
        QFETCH(QString, pointer);
        QFETCH(int, chosen);
        QFETCH(int, firstRecord);
        RecordingPort port;
        app::ToolWindows tools(port.main, port);
        const auto w = static_cast<app::ToolWindow>(window);
        app::RecordListWindow& list = *tools.recordList(w);
        list.show();
        const int before = list.list().count();
        port.run(create.toUtf8().constData());
        QVERIFY(port.sink.boxes().empty());
        tools.send(w, 9999);
        QCOMPARE(list.list().count(), before);
        tools.send(w, refresh);
        QCOMPARE(list.list().count(), before + 1);
        port.log.clear();
        list.list().setCurrentRow(0);
        QCOMPARE(port.sent(), QStringList{QString::number(chosen)});
        QCOMPARE(port.scalar(pointer.toLatin1().constData()), static_cast<float>(firstRecord));
    }

    void lightList() {
        RecordingPort port;
        app::ToolWindows tools(port.main, port);
        app::RecordListWindow& list = *tools.recordList(app::ToolWindow::Light);
        port.run("new.light; ");
        list.show();
        QCOMPARE(list.list().count(), 2);
        QCOMPARE(list.list().currentRow(), 1);  // l.point
        port.log.clear();
        list.list().setCurrentRow(0);
        QCOMPARE(port.sent(), QStringList{"642"});
        QCOMPARE(port.scalar("l.point"), 0.0f);
    }

    // The windows' own buttons reach the main window with their identifiers.
    void toolButton_data() {
        QTest::addColumn<int>("window");
        QTest::addColumn<int>("id");
        const auto row = [](app::ToolWindow w, int id) {
            QTest::newRow(qPrintable(QString::number(id))) << static_cast<int>(w) << id;
        };
        for (int id : {2533, 2532, 2401, 2534, 2218}) row(app::ToolWindow::Material, id);
        for (int id : {2415, 2414, 2411, 2416, 2217}) row(app::ToolWindow::Mapping, id);
        for (int id : {241, 244, 245}) row(app::ToolWindow::Light, id);
        for (int id : {2653, 2655, 2203, 2204}) row(app::ToolWindow::Selection, id);
        for (int id : {2154, 2152, 2157, 2142, 2141}) row(app::ToolWindow::PointEdit, id);
    }
    void toolButton() {
        QFETCH(int, window);
        QFETCH(int, id);
        RecordingPort port;
        app::ToolWindows tools(port.main, port);
        const auto w = static_cast<app::ToolWindow>(window);
        QPushButton* button = w == app::ToolWindow::PointEdit ? tools.pointEdit().button(id)
                                                              : tools.recordList(w)->button(id);
        QVERIFY(button != nullptr);
        tools.setVisible(w, true);
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(port.sent(), QStringList{QString::number(id)});
    }

    void pointList() {
        RecordingPort port;
        app::PointEditWindow edit(port, &port.main);
        edit.setPoints(4, 2);
        QVERIFY(port.log.isEmpty());
        QCOMPARE(edit.chosenPoint(), 2);
        edit.list().setCurrentRow(3);
        QCOMPARE(port.sent(), QStringList{"2155"});
        QCOMPARE(edit.chosenPoint(), 3);
    }

    // A stored offset places the window from the main window's corner; one that would put
    // it out of reach gives 100.
    void placement_data() {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("placedX");
        QTest::addColumn<int>("placedY");
        const QSize screen = QApplication::primaryScreen()->geometry().size();
        QTest::newRow("-5") << -5 << 100 << 100;
        QTest::newRow("5000") << 5000 << 100 << 100;
        QTest::newRow("30") << 30 << 30 << 30;
        QTest::newRow("0") << 0 << 0 << 0;
        QTest::newRow("height - 24")
            << screen.height() - 24 << screen.height() - 24 << screen.height() - 24;
        QTest::newRow("height - 23") << screen.height() - 23 << screen.height() - 23 << 100;
        QTest::newRow("width - 23") << screen.width() - 23 << 100 << 100;
    }
    void placement() {
        QFETCH(int, stored);
        QFETCH(int, placedX);
        QFETCH(int, placedY);
        RecordingPort port;
        port.main.move(40, 30);
        app::ToolWindows tools(port.main, port);
        db::Settings s;
        s.offsets.mapping = {stored, stored};
        tools.placeAndShow(s);
        const QPoint offset =
            tools.window(app::ToolWindow::Mapping).pos() - port.main.frameGeometry().topLeft();
        QCOMPARE(offset, QPoint(placedX, placedY));
    }

    // Start-up shows the palette and the windows the settings name; the edit window never.
    void shownAtStart() {
        RecordingPort port;
        app::ToolWindows tools(port.main, port);
        db::Settings s;
        s.shown = {.material = 1, .mapping = 0, .camera = 1, .select = 0, .light = 1};
        tools.placeAndShow(s);
        QVERIFY(tools.visible(app::ToolWindow::Palette));
        QVERIFY(tools.visible(app::ToolWindow::Material));
        QVERIFY(!tools.visible(app::ToolWindow::Mapping));
        QVERIFY(tools.visible(app::ToolWindow::Camera));
        QVERIFY(!tools.visible(app::ToolWindow::Selection));
        QVERIFY(tools.visible(app::ToolWindow::Light));
        QVERIFY(!tools.visible(app::ToolWindow::PointEdit));
    }

    // A window left where it was placed writes back the offset it was placed by; a moved
    // one its client offset less the assumed frame.
    void writeBack() {
        RecordingPort port;
        port.main.move(40, 30);
        port.main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&port.main));
        app::ToolWindows tools(port.main, port);
        db::Settings s;
        s.offsets.camera = {30, 40};
        s.offsets.light = {-5, 60};
        s.offsets.window3d = {7, 8};
        s.shown.camera = 1;
        s.shown.material = 1;
        tools.placeAndShow(s);
        QVERIFY(QTest::qWaitForWindowExposed(&tools.window(app::ToolWindow::Camera)));
        tools.setVisible(app::ToolWindow::Material, false);
        tools.setVisible(app::ToolWindow::Mapping, true);

        db::Settings out;
        tools.writeBack(out);
        QCOMPARE((QPoint{out.offsets.camera.x, out.offsets.camera.y}), QPoint(30, 40));
        QCOMPARE((QPoint{out.offsets.light.x, out.offsets.light.y}), QPoint(100, 60));
        QCOMPARE((QPoint{out.offsets.window3d.x, out.offsets.window3d.y}), QPoint(0, 0));
        QCOMPARE(out.shown.camera, 1);
        QCOMPARE(out.shown.material, 0);
        QCOMPARE(out.shown.mapping, 1);
        QCOMPARE(out.shown.light, 0);

        QDialog& camera = tools.window(app::ToolWindow::Camera);
        const QPoint clientInFrame = camera.geometry().topLeft() - camera.pos();
        camera.move(port.main.frameGeometry().topLeft() + QPoint(200, 150));
        QTRY_COMPARE(tools.recordedOffset(app::ToolWindow::Camera),
                     QPoint(200, 150) + clientInFrame);
        tools.writeBack(out);
        const QPoint written = QPoint(200, 150) + clientInFrame - QPoint(1, 20);
        QCOMPARE((QPoint{out.offsets.camera.x, out.offsets.camera.y}), written);
    }

    // Around a render: everything visible goes away; the palette and those come back. A
    // settings write in between still counts them as shown.
    void hideAllAndRestore() {
        RecordingPort port;
        app::ToolWindows tools(port.main, port);
        db::Settings s;
        s.shown.camera = 1;
        s.shown.select = 1;
        tools.placeAndShow(s);
        tools.setVisible(app::ToolWindow::Palette, false);
        tools.setVisible(app::ToolWindow::PointEdit, true);
        tools.hideAll();
        for (app::ToolWindow w :
             {app::ToolWindow::Palette, app::ToolWindow::Material, app::ToolWindow::Mapping,
              app::ToolWindow::Selection, app::ToolWindow::Camera, app::ToolWindow::Light})
            QVERIFY(!tools.visible(w));
        db::Settings during;
        tools.writeBack(during);
        QCOMPARE(during.shown.camera, 1);
        QCOMPARE(during.shown.select, 1);
        QCOMPARE(during.shown.material, 0);
        tools.restore();
        QVERIFY(tools.visible(app::ToolWindow::Palette));
        QVERIFY(tools.visible(app::ToolWindow::Camera));
        QVERIFY(tools.visible(app::ToolWindow::Selection));
        QVERIFY(!tools.visible(app::ToolWindow::Material));
        QVERIFY(!tools.visible(app::ToolWindow::Light));
        tools.setVisible(app::ToolWindow::Camera, false);
        db::Settings after;
        tools.writeBack(after);
        QCOMPARE(after.shown.camera, 0);
    }
};

}  // namespace rz::test

QTEST_MAIN(rz::test::ToolWindowsTest)
#include "tool_windows_test.moc"
