#pragma once
// What the program does after start-up: the statements, scripts and imports of its
// command line, in the order given.

#include <string>

#include "app/command_line.hpp"
#include "db/settings.hpp"
#include "platform/message_service.hpp"
#include "workstation/workstation.hpp"

namespace rz::app {

// The settings of the --ini file, or the ones in the user's configuration folder. The
// settings file is only read here, never written; values it cannot take are reported.
// --threads overrides the render threads of the file.
db::Settings startupSettings(const CommandLine& cl, platform::MessageService& msg);

// Runs one start action (statements, a script file, a DXF import).
void runAction(workstation::Workstation& w, const StartAction& action);

// Runs a script file as the script flow does: newexec for ".SUB" files, exec otherwise.
void runScriptFile(workstation::Workstation& w, const std::string& path);

}  // namespace rz::app
