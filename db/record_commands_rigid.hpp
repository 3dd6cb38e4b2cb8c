#pragma once
// The joint commands: rigids join two blocks, and each block lists the rigids attached to
// it in its chain of rlink records.

#include <span>

#include "script/command_table.hpp"
#include "script/interp.hpp"

namespace rz::db {

// The commands of this file, as rows for the command table.
std::span<const script::CommandRow> rigidCommands();

}  // namespace rz::db
