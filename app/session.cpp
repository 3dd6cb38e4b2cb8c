#include "app/session.hpp"

#include <strings.h>

#include <filesystem>
#include <system_error>

#include "app/dxf_import.hpp"
#include "db/init_database.hpp"
#include "platform/input_file.hpp"
#include "script/language_commands.hpp"
#include "script/messages.hpp"
#include "script/statement.hpp"

namespace rz::app {

void startSession(Session& s, const CommandLine& cl) {
    s.settings = db::readSettings(db::settingsPath(cl.iniFile), s.msg);
    db::initDatabase(s.interp, s.db, s.settings);
    // The converter's temporary script is placed in the directory the program started in;
    // the slot keeps at most its first 4095 characters.
    std::error_code failed;
    const std::string cwd = std::filesystem::current_path(failed).string();
    if (!failed) s.interp.sym.setSlotText(script::SymbolTable::kStartDirectorySlot, cwd);
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
            importDxf(s.interp, action.text);
            break;
    }
}

}  // namespace rz::app
