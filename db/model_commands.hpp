#pragma once
// The whole-model commands of the database: emptying the model, the single-step undo of
// geometry creation, the free-space report and the deletions.

#include <span>

#include "script/command_table.hpp"
#include "script/interp.hpp"

namespace rz::db {

std::span<const script::CommandRow> modelCommands();

// The layer argument of the copy and delete commands: none gives 1, otherwise a number or
// a named constant that ends the statement.
script::Result layerArgument(script::Interp& in, int& layer);

}  // namespace rz::db
