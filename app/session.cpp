#include "app/session.hpp"

#include <strings.h>

#include "platform/input_file.hpp"
#include "script/language_commands.hpp"
#include "script/language_symbols.hpp"
#include "script/messages.hpp"
#include "script/statement.hpp"

namespace rz::app {

void startSession(Session& s, const CommandLine&) {
    if (const std::string_view failed = s.interp.allocate(); !failed.empty()) {
        s.msg.errorBox(script::msg::kAllocFailed);
        s.msg.errorBoxPlain(" ... in init() : " + std::string(failed) + "!\n");
        s.msg.fatalStop();
    }
    if (!script::registerLanguageSymbols(s.interp)) {
        s.msg.errorBox(script::msg::kAllocFailed);
        s.msg.errorBoxPlain(" ... in init() : symbol!\n");
        s.msg.fatalStop();
    }
}

void runScriptFile(Session& s, const std::string& path) {
    const bool sub = path.size() >= 4 && strcasecmp(path.c_str() + path.size() - 4, ".sub") == 0;
    if (sub) {
        script::newExecSub(s.interp, path.c_str(), 1);
        return;
    }
    platform::InputFile file;
    if (!file.open(path)) {
        s.msg.errorBox(script::msg::kFileNotFound);
        return;
    }
    script::execFileStream(s.interp, file);
}

void runAction(Session& s, const StartAction& action) {
    switch (action.kind) {
        case StartAction::Kind::Statements:
            script::execCommandString(s.interp, 0, action.text.c_str());
            break;
        case StartAction::Kind::Script:
            runScriptFile(s, action.text);
            break;
        case StartAction::Kind::ImportDxf:
            s.msg.errorBox(script::msg::kFileNotFound);
            break;
    }
}

}  // namespace rz::app
