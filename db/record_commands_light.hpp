#pragma once
// The light commands: the sixteen lights of the renderer and the light variables that
// mirror one of them.

#include <span>

#include "script/command_table.hpp"
#include "script/interp.hpp"

namespace rz::db {

// The commands of this file, as rows for the command table.
std::span<const script::CommandRow> lightCommands();

}  // namespace rz::db
