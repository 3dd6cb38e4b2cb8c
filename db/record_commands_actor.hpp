#pragma once
// The actor commands: an actor names an articulated figure by one of its rigids.

#include <span>

#include "script/command_table.hpp"
#include "script/interp.hpp"

namespace rz::db {

// The commands of this file, as rows for the command table.
std::span<const script::CommandRow> actorCommands();

}  // namespace rz::db
