#pragma once
// One running workstation without its windows: the message services, the interpreter and
// the model behind it, started in the fixed start-up order.

#include <string>

#include "app/command_line.hpp"
#include "db/database.hpp"
#include "db/settings.hpp"
#include "platform/message_service.hpp"
#include "platform/message_sink.hpp"
#include "script/interp.hpp"

namespace rz::app {

struct Session {
    explicit Session(platform::MessageSink& sink) : msg(sink), interp(msg) {}
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    platform::MessageService msg;
    script::Interp interp;
    db::Settings settings;  // as read at start-up
    db::Database db;
};

// Reads the settings (the --ini file, or the one in the user's configuration folder), then
// allocates the stores and registers the symbols; a store that cannot be had ends the
// program. The settings file is only read here, never written.
void startSession(Session& s, const CommandLine& cl);

// Runs one start action (statements, a script file, a DXF import).
void runAction(Session& s, const StartAction& action);

// Runs a script file as the script flow does: newexec for ".SUB" files, exec otherwise.
void runScriptFile(Session& s, const std::string& path);

}  // namespace rz::app
