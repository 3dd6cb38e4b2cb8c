#pragma once
// The primitive commands of the language: new blocks of parametric shapes made from the
// box between two vector variables, the undo of the last one, and the box-cursor marker.

#include <span>

#include "script/command_table.hpp"

namespace rz::geometry {

// Rows for the command table: set.primitive and set.b.cursor make b.cursor.code as a block
// (on the active layer, or as a guide with ratio 1); undo.primitive takes the last one
// back; boxgen2 ... ballgen8 make one kind each with ratio 1; bcurgen and bcurreg build the
// box-cursor marker for the box s-e and give it back again.
std::span<const script::CommandRow> primitiveCommands();

}  // namespace rz::geometry
