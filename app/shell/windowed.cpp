#include "app/shell/windowed.hpp"

#include <QApplication>
#include <QIcon>
#include <QTimer>
#include <cstdlib>

#include "app/shell/main_window.hpp"
#include "app/shell/shell_sink.hpp"
#include "app/start_actions.hpp"
#include "db/settings.hpp"
#include "workstation/workstation.hpp"

namespace rz::app {
namespace {

bool set(const char* name) {
    const char* v = std::getenv(name);
    return v != nullptr && v[0] != '\0';
}

}  // namespace

bool displayPresent() {
    return set("DISPLAY") || set("WAYLAND_DISPLAY");
}

int runWindowed(int& argc, char** argv, const CommandLine& cl) {
    QApplication application(argc, argv);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/rovora_z.svg")));
    QGuiApplication::setDesktopFileName(QStringLiteral("rovora_z"));

    ShellSink sink;
    workstation::Workstation w(sink);
    w.start(startupSettings(cl, w.msg));
    MainWindow window(w, db::settingsPath(cl.iniFile));
    sink.setWindow(&window);
    window.showPlaced();
    // The command line runs once the message loop does, so its boxes have a window.
    QTimer::singleShot(0, &window, [&] {
        for (const StartAction& action : cl.actions) {
            runAction(w, action);
            window.view().update();
        }
    });
    application.exec();
    sink.setWindow(nullptr);
    return w.msg.errorCount() > 0 ? 1 : 0;
}

}  // namespace rz::app
