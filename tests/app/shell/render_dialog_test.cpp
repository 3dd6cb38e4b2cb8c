// draw.thread in the window: the progress dialog while the worker renders, and its stop
// button, which ends the render with the finished tiles kept and the abort message said.
#include <unistd.h>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <thread>

#include "app/shell/main_window.hpp"
#include "app/shell/shell_sink.hpp"
#include "render/render_messages.hpp"

namespace rz::test {
namespace {

// What the program prints on standard output while `f` runs.
template <class F>
std::string printed(F f) {
    QTemporaryDir dir;
    const std::string path = dir.filePath(QStringLiteral("out")).toStdString();
    std::fflush(stdout);
    const int saved = ::dup(STDOUT_FILENO);
    std::FILE* file = std::fopen(path.c_str(), "w");
    ::dup2(::fileno(file), STDOUT_FILENO);
    f();
    std::fflush(stdout);
    ::dup2(saved, STDOUT_FILENO);
    ::close(saved);
    std::fclose(file);
    std::stringstream text;
    text << std::ifstream(path).rdbuf();
    return text.str();
}

}  // namespace

class RenderDialogTest : public QObject {
    Q_OBJECT
  private slots:
    // A progress dialog shows itself a while after it is made; this one waits for a render.
    void noDialogWithoutARender() {
        QWidget owner;
        app::RenderDialog dialog(&owner);
        owner.show();
        QTest::qWait(200);
        QVERIFY(!dialog.isVisible());
    }

    void stopButtonEndsTheRenderKeepingTheFinishedTiles() {
        QTemporaryDir dir;
        app::ShellSink sink;
        workstation::Workstation w{sink};
        db::Settings settings;
        settings.zbufFlag = 1;
        settings.renderThreads = 1;
        w.start(settings);
        app::MainWindow window(w, std::filesystem::path(dir.path().toStdString()) / "R.INI");
        sink.setWindow(&window);
        window.run(
            "c.pos = (0, 0, 1000); c.tar = (0, 0, 0); c.upper = (0, 1, 0); c.rot = (0, 0, 0); "
            "c.zoom = 90; c.hither = 50; c.yon = 100000;");
        for (int i = 0; i < 120; ++i) {
            const std::string x = std::to_string(i % 20 * 40 - 400);
            const std::string y = std::to_string(i / 20 * 100 - 300);
            const std::string ball = "box.s = (" + x + ", " + y + ", 0); box.e = (" + x +
                                     " + 35, " + y + " + 35, 35); ballgen1 box.s, box.e, 16;";
            window.run(ball.c_str());
        }
        window.run("drawmode FINE; cinit CBUF.FILL, (0, 0, 1);");
        const std::vector<std::uint8_t> empty = w.db.colorBuffer.pixels;
        window.run("draw;");
        const std::vector<std::uint8_t> full = w.db.colorBuffer.pixels;
        window.run("cinit CBUF.FILL, (0, 0, 1);");

        app::RenderDialog& dialog = window.renderDialog();
        bool shown = false;
        QString label;
        QObject::connect(
            &dialog, &app::RenderDialog::progressed, &window,
            [&](int percent) {
                // Stop once nearly half the tiles are in (the worker waits for it at half, below);
                // an earlier click could stop the render before any tile with a ball was done.
                if (shown || percent < 40) return;
                shown = dialog.isVisible() && QApplication::activeModalWidget() == &dialog;
                label = dialog.labelText();
                for (QPushButton* b : dialog.findChildren<QPushButton*>())
                    if (b->text() == QStringLiteral("ｷｬﾝｾﾙ")) b->click();
            },
            Qt::QueuedConnection);
        // Half-way the worker waits for the stop: the tiles done by then are kept, the ones
        // after are never begun.
        w.renderer.progress = [&](int done, int total) {
            if (done * 2 < total) return;
            for (int i = 0; i < 10000 && !w.interp.interrupted.load(); ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
        };
        const std::string out = printed([&] { window.run("draw.thread; drawmode WIRE;"); });

        QVERIFY(shown);
        QVERIFY(label.startsWith(QStringLiteral("Work in progress: ")));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("レンダリング実行中（「ｷｬﾝｾﾙ」で中断）"));
        QVERIFY(!dialog.isVisible());
        QVERIFY(out.find(render::msg::kDrawAborted) != std::string::npos);
        QVERIFY(out.find(render::msg::kDrawDone) == std::string::npos);
        // The cancel is the user's: the statements after draw.thread ran.
        QCOMPARE(int{w.interp.drawMode}, 0);
        QVERIFY(!w.threads.rendering());
        std::size_t kept = 0;
        std::size_t untouched = 0;
        const std::vector<std::uint8_t>& now = w.db.colorBuffer.pixels;
        for (std::size_t i = 0; i < now.size(); ++i) {
            if (full[i] == empty[i]) continue;
            if (now[i] == full[i]) ++kept;
            if (now[i] == empty[i]) ++untouched;
        }
        QVERIFY(kept > 0);
        QVERIFY(untouched > 0);
        sink.setWindow(nullptr);
    }
};

int runRenderDialogTests(int argc, char** argv) {
    RenderDialogTest t;
    return QTest::qExec(&t, argc, argv);
}

}  // namespace rz::test

#include "render_dialog_test.moc"
