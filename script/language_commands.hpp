#pragma once
// The commands of the language itself.

#include <span>

#include "script/command_table.hpp"
#include "script/interp.hpp"

namespace rz::script {

// The commands of this file, as rows for the command table.
std::span<const CommandRow> languageCommands();

// Loads a script into the script buffer and runs it count times.
Result newExecSub(Interp& in, const char* path, int count);

// Stands in for a command whose subsystem is not built yet: it takes whatever arguments
// the statement has and says, like nosupport, that it is not supported.
Result notBuiltNosupport(Interp& in);

}  // namespace rz::script
