// Takes the pictures the README shows, grabbed from the window's own pixels: a small scene in
// the four views (docs/main_window.png), or with --gl the example scene in the real-time
// display in smooth shading over the whole view area (docs/opengl_preview.png). Run it under a
// display from the folder the script's files are in, e.g.
//   xvfb-run -a build/app/rovora_screenshot examples/views.sub docs/main_window.png
//   cd examples && xvfb-run -a ../build/app/rovora_screenshot --gl scene.sub
//   ../docs/opengl_preview.png
// The settings are the defaults; nothing is read from or written to the user's file.

#include <QApplication>
#include <QPixmap>
#include <QTest>
#include <cstdio>
#include <cstring>

#include "app/shell/main_window.hpp"
#include "app/shell/shell_sink.hpp"
#include "app/start_actions.hpp"

int main(int argc, char** argv) {
    using namespace rz;
    const bool gl = argc == 4 && std::strcmp(argv[1], "--gl") == 0;
    if (argc != 3 && !gl) {
        std::fputs("usage: rovora_screenshot [--gl] SCRIPT OUTPUT.png\n", stderr);
        return 2;
    }
    const char* script = argv[argc - 2];
    const char* output = argv[argc - 1];
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
    app::runScriptFile(w, script);
    if (gl) {
        window.run(
            "cbuf.color.v = (140, 166, 204); set.glviewmode GLVIEW.SMOOTHSHADE;"
            "set.glviewsize GLVIEW.FULLSIZE;");
        window.glPreview().setRealTime(true);
        QTest::qWait(200);
    } else {
        window.view().update();
        QApplication::processEvents();
    }
    return window.grab().save(QString::fromLocal8Bit(output)) ? 0 : 1;
}
