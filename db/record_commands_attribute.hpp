#pragma once
// The attribute (material) commands, with the trial attribute that shows the variables on
// the selected shapes before they are stored.

#include <span>

#include "script/command_table.hpp"
#include "script/interp.hpp"

namespace rz::db {

// The commands of this file, as rows for the command table.
std::span<const script::CommandRow> attributeCommands();

}  // namespace rz::db
