// The main window: placed and sized by the settings, the settings written back when it
// closes, the questions on closing, the status bar.
#include <QStatusBar>
#include <QTest>

#include <QFileInfo>

#include "app/shell/status_parts.hpp"
#include "db/settings.hpp"
#include "tests/app/shell/shell_fixture.hpp"

namespace rz::test {

class MainWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void opensWhereTheSettingsSayAndWritesThemBack() {
        db::Settings settings;
        settings.window = {30, 40, 500, 400, 0};
        settings.backup = 7;
        settings.offsets.camera = {3, 4};
        settings.vrmlViewer = "VIEW.EXE";
        ShellFixture f(settings);
        QVERIFY(f.show());
        app::MainWindow& window = *f.window;
        QCOMPARE(window.objectName(), QStringLiteral("ZIVOZI"));
        QCOMPARE(window.windowTitle(), QStringLiteral("ZIVOZI 3Z-Urirodod V2.0 BETA3 (TESTTYPE)"));
        QCOMPARE(window.frameGeometry().topLeft(), QPoint(30, 40));
        QCOMPARE(window.size(), QSize(500, 400));

        window.run("wire.detail 0;");
        f.boxes.answer({"終了"});
        QVERIFY(window.close());
        QVERIFY(f.boxes.unexpected.isEmpty());
        const db::Settings written = db::readSettings(f.settingsFile());
        QCOMPARE(written.window.x, 30);
        QCOMPARE(written.window.y, 40);
        QCOMPARE(written.window.width, 500);
        QCOMPARE(written.window.height, 400);
        QCOMPARE(written.window.sizeType, 0);
        QCOMPARE(written.wireDetail, 0);
        QCOMPARE(written.backup, 7);
        QCOMPARE(written.offsets.camera.x, 3);
        QCOMPARE(written.offsets.camera.y, 4);
        QCOMPARE(written.vrmlViewer, std::string("VIEW.EXE"));
        QCOMPARE(written.capacity.shapemax, settings.capacity.shapemax);
    }

    void maximizedStaysMaximized() {
        db::Settings settings;
        settings.window.sizeType = 2;
        ShellFixture f(settings);
        QVERIFY(f.show());
        QVERIFY(f.window->isMaximized());
        f.boxes.answer({"終了"});
        QVERIFY(f.window->close());
        QCOMPARE(db::readSettings(f.settingsFile()).window.sizeType, 2);
    }

    void closing_data() {
        QTest::addColumn<bool>("modified");
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<bool>("closed");
        const QString save = QStringLiteral("データ保存の確認");
        const QString exit = QStringLiteral("ZIVOZI/Dの終了");
        QTest::newRow("unchanged, exit")
            << false << QStringList{"終了"} << QStringList{exit} << true;
        QTest::newRow("unchanged, cancel")
            << false << QStringList{"キャンセル"} << QStringList{exit} << false;
        QTest::newRow("changed, not saved, exit")
            << true << QStringList{"No", "終了"} << QStringList{save, exit} << true;
        QTest::newRow("changed, not saved, cancel")
            << true << QStringList{"No", "キャンセル"} << QStringList{save, exit} << false;
    }
    void closing() {
        QFETCH(bool, modified);
        QFETCH(QStringList, answers);
        QFETCH(QStringList, titles);
        QFETCH(bool, closed);
        ShellFixture f;
        QVERIFY(f.show());
        f.window->setModified(modified);
        f.boxes.answer({answers.begin(), answers.end()});
        QCOMPARE(f.window->close(), closed);
        QCOMPARE(f.boxes.titles, titles);
        QVERIFY(f.boxes.unexpected.isEmpty());
        QCOMPARE(f.window->isVisible(), !closed);
        // Only a closing that went through writes the settings.
        QCOMPARE(std::filesystem::exists(f.settingsFile()), closed);
        // Cancelling keeps the data and its changed state.
        QCOMPARE(f.window->modified(), modified);
    }

    void savingTheChangesOnClosing() {
        ShellFixture f;
        QVERIFY(f.show());
        f.window->run("box.s = (0, 0, 0); box.e = (100, 100, 100); boxgen2 box.s, box.e;");
        f.window->setModified(true);
        const QString model = f.dir.filePath("saved.pts");
        f.boxes.answer({"Yes", "file:" + model, "終了"});
        QVERIFY(f.window->close());
        QCOMPARE(f.boxes.titles,
                 (QStringList{"データ保存の確認", "形状データの保存", "ZIVOZI/Dの終了"}));
        QVERIFY(f.boxes.unexpected.isEmpty());
        QVERIFY(!f.window->modified());
        QVERIFY(QFileInfo(model).size() > 0);
        QCOMPARE(f.window->windowTitle(),
                 "ZIVOZI 3Z-Urirodod V2.0 BETA3 (TESTTYPE) [ " + model + " ]");
    }

    void statusBarPartsAndTexts() {
        ShellFixture f;
        QVERIFY(f.show());
        const std::array<int, 3> edges = app::statusPartEdges(f.window->frameGeometry().width());
        QCOMPARE(f.window->statusPart(0).width(), edges[0]);
        QCOMPARE(f.window->statusPart(1).width(), edges[1] - edges[0]);
        QCOMPARE(f.window->statusPart(2).width(), edges[2] - edges[1]);
        f.w.msg.statusText("■■ 状態 ■■");
        QCOMPARE(f.window->statusPart(0).text(), QString::fromUtf8("■■ 状態 ■■"));
    }
};

int runMainWindowTests(int argc, char** argv) {
    MainWindowTest t;
    return QTest::qExec(&t, argc, argv);
}

}  // namespace rz::test

#include "main_window_test.moc"
