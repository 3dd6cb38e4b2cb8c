// Takes the picture of the main window the README shows: a small scene in the four views,
// grabbed from the window's own pixels. Run it under a display, e.g.
//   xvfb-run -a build/app/rovora_screenshot examples/views.sub docs/main_window.png
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
        std::fputs("usage: rovora_screenshot SCRIPT OUTPUT.png\n", stderr);
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
    window.view().update();
    QApplication::processEvents();
    return window.grab().save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
}
