#pragma once
// The commands through which every data file is read and written.

#include <string>
#include <string_view>

#include "script/interp.hpp"

namespace rz::fileio {

int cmdRead(script::Interp& in);
int cmdWrite(script::Interp& in);
int cmdMdlread(script::Interp& in);
int cmdMdladd(script::Interp& in);
int cmdMdlwrite(script::Interp& in);

// The one argument of a file command: a string literal or string variable, and nothing
// after it. A wrong argument is reported with the detail line where; kOk or kFail.
int fileArgument(script::Interp& in, std::string& name, std::string_view where);

}  // namespace rz::fileio
