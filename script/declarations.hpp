#pragma once
// The declaration commands var, vtx and def.mat.

#include <span>

#include "script/command_table.hpp"
#include "script/interp.hpp"

namespace rz::script {

// The commands of this file, as rows for the command table.
std::span<const CommandRow> declarationCommands();

}  // namespace rz::script
