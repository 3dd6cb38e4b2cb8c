#pragma once
// The commands through which every data file is read and written.

#include <span>
#include <string>
#include <string_view>

#include "script/command_table.hpp"
#include "script/interp.hpp"

namespace rz::fileio {

// The commands of this file, as rows for the command table.
std::span<const script::CommandRow> modelFileCommands();
std::span<const script::CommandRow> readWriteCommands();

// The one argument of a file command: a string literal or string variable, and nothing
// after it. A wrong argument is reported with the detail line where; kOk or kFail.
script::Result fileArgument(script::Interp& in, std::string& name, std::string_view where);

}  // namespace rz::fileio
