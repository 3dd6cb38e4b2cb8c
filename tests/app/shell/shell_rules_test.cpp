// The shell's own rules: the status bar's part edges, the start geometry on a screen, and
// how names reach the widgets.
#include <QTest>

#include "app/shell/shown_text.hpp"
#include "app/shell/status_parts.hpp"
#include "app/shell/window_placement.hpp"

namespace rz::test {

class ShellRulesTest : public QObject {
    Q_OBJECT
  private slots:
    void statusPartEdges_data() {
        QTest::addColumn<int>("outer");
        QTest::addColumn<QList<int>>("edges");
        // w = 641: 320 + 64, then + 160, then + 64.
        QTest::newRow("640") << 640 << QList<int>{384, 544, 608};
        // w = 1000: 500 + 100, + 250, + 100.
        QTest::newRow("999") << 999 << QList<int>{600, 850, 950};
        QTest::newRow("0") << 0 << QList<int>{0, 0, 0};
    }
    void statusPartEdges() {
        QFETCH(int, outer);
        QFETCH(QList<int>, edges);
        const std::array<int, 3> got = app::statusPartEdges(outer);
        QCOMPARE((QList<int>{got[0], got[1], got[2]}), edges);
    }

    void startGeometry_data() {
        QTest::addColumn<QRect>("stored");
        QTest::addColumn<QRect>("placed");
        const QSize screen(1024, 768);
        QTest::newRow("as stored") << QRect(10, 20, 640, 480) << QRect(10, 20, 640, 480);
        QTest::newRow("wider than the screen") << QRect(0, 0, 5000, 480) << QRect(0, 0, 1024, 480);
        QTest::newRow("exactly the screen") << QRect(3, 4, 1024, 768) << QRect(3, 4, 1024, 768);
        QTest::newRow("one below the screen") << QRect(0, 0, 1023, 767) << QRect(0, 0, 1023, 767);
        QTest::newRow("no size") << QRect(5, 5, 0, -3) << QRect(5, 5, 640, 480);
    }
    void startGeometry() {
        QFETCH(QRect, stored);
        QFETCH(QRect, placed);
        const db::WindowPlacement p{stored.x(), stored.y(), stored.width(), stored.height(), 0};
        QCOMPARE(app::startGeometry(p, QSize(1024, 768)), placed);
    }

    void shownText_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("shown");
        QTest::newRow("utf-8") << QByteArray("■■ 形状 ■■") << QString::fromUtf8("■■ 形状 ■■");
        QTest::newRow("shift-jis")
            << QByteArray("\x83\x65\x83\x58\x83\x67") << QString::fromUtf8("テスト");
        QTest::newRow("ascii") << QByteArray("box 1") << QStringLiteral("box 1");
    }
    void shownText() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, shown);
        QCOMPARE(app::shownText(std::string_view(bytes.constData(), bytes.size())), shown);
    }
};

int runShellRulesTests(int argc, char** argv) {
    ShellRulesTest t;
    return QTest::qExec(&t, argc, argv);
}

}  // namespace rz::test

#include "shell_rules_test.moc"
