#include "app/start_actions.hpp"

#include <strings.h>

#include "app/dxf_import.hpp"
#include "platform/input_file.hpp"
#include "script/language_commands.hpp"
#include "script/messages.hpp"
#include "script/statement.hpp"

namespace rz::app {

db::Settings startupSettings(const CommandLine& cl, platform::MessageService& msg) {
    db::Settings s = db::readSettings(db::settingsPath(cl.iniFile), msg);
    if (cl.threads >= 0) s.renderThreads = cl.threads;
    return s;
}

void runScriptFile(workstation::Workstation& w, const std::string& path) {
    const bool sub = path.size() >= 4 && strcasecmp(path.c_str() + path.size() - 4, ".sub") == 0;
    if (sub) {
        // What fails in a script has been shown; the exit status counts the errors.
        static_cast<void>(script::newExecSub(w.interp, path.c_str(), 1));
        return;
    }
    platform::InputFile file;
    if (!file.open(path)) {
        w.msg.errorBox(script::msg::kFileNotFound);
        return;
    }
    static_cast<void>(script::execFileStream(w.interp, file));
}

void runAction(workstation::Workstation& w, const StartAction& action) {
    switch (action.kind) {
        case StartAction::Kind::Statements:
            script::execCommandString(w.interp, 0, action.text.c_str());
            break;
        case StartAction::Kind::Script:
            runScriptFile(w, action.text);
            break;
        case StartAction::Kind::ImportDxf:
            importDxf(w.interp, action.text);
            break;
    }
}

}  // namespace rz::app
