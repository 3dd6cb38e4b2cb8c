// Takes the picture of the real-time display the README shows: the example scene in smooth
// shading with its materials, over the whole view area, grabbed from the window's own
// pixels. Run it under a display from the folder the script's files are in, e.g.
//   cd examples &&
//   xvfb-run -a ../build/app/rovora_gl_screenshot scene.sub ../docs/opengl_preview.png
// The settings are the defaults; nothing is read from or written to the user's file.

#include <QApplication>
#include <QPixmap>
#include <QTest>
#include <cstdio>

#include "app/shell/main_window.hpp"
#include "app/shell/shell_sink.hpp"
#include "app/start_actions.hpp"

int main(int argc, char** argv) {
    using namespace rz;
    if (argc != 3) {
        std::fputs("usage: rovora_gl_screenshot SCRIPT OUTPUT.png\n", stderr);
        return 2;
    }
    QApplication application(argc, argv);
    app::ShellSink sink;
    workstation::Workstation w(sink);
    db::Settings settings;
    settings.window = {0, 0, 800, 640, 0};
    w.start(settings);
    app::MainWindow window(w, {});
    sink.setWindow(&window);
    window.showPlaced();
    if (!QTest::qWaitForWindowExposed(&window)) return 1;
    app::runScriptFile(w, argv[1]);
    window.run(
        "cbuf.color.v = (140, 166, 204); set.glviewmode GLVIEW.SMOOTHSHADE;"
        "set.glviewsize GLVIEW.FULLSIZE;");
    window.glPreview().setRealTime(true);
    QTest::qWait(200);
    return window.grab().save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
}
