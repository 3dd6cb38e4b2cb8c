#include <cstdio>

#include "app/command_line.hpp"
#include "app/console.hpp"
#include "app/render_progress.hpp"
#include "app/shell/windowed.hpp"
#include "app/start_actions.hpp"
#include "platform/console_sink.hpp"

int main(int argc, char** argv) {
    using namespace rz;
    const app::CommandLine cl = app::parseCommandLine(argc, argv);
    if (!cl.error.empty()) {
        std::fprintf(stderr, "%s\n%s", cl.error.c_str(), app::kUsage);
        return 2;
    }
    if (cl.help) {
        std::fputs(app::kUsage, stdout);
        return 0;
    }
    if (cl.version) {
        std::fputs(app::kVersionLine, stdout);
        return 0;
    }
    if (!cl.headless && app::displayPresent()) return app::runWindowed(argc, argv, cl);
    platform::ConsoleSink sink;
    workstation::Workstation w(sink);
    w.start(app::startupSettings(cl, w.msg));
    app::installRenderProgress(w);
    if (cl.actions.empty()) app::readStatements(w);
    for (const app::StartAction& action : cl.actions) app::runAction(w, action);
    return w.msg.errorCount() > 0 ? 1 : 0;
}
