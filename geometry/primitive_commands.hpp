#pragma once
// The primitive commands of the language: new blocks of parametric shapes made from the
// box between two vector variables and the undo of the last one; the arguments of the
// box-cursor marker, which the views build and draw.

#include <span>

#include "math/value_types.hpp"
#include "script/command_table.hpp"
#include "script/interp.hpp"

namespace rz::geometry {

// Rows for the command table: set.primitive and set.b.cursor make b.cursor.code as a block
// (on the active layer, or as a guide with ratio 1); undo.primitive takes the last one
// back; boxgen2 ... ballgen8 make one kind each with ratio 1.
std::span<const script::CommandRow> primitiveCommands();

// The arguments of bcurgen and bcurreg: two vector variables s, e and an optional count
// that has no use, ending the statement. kOk, or kFail after the message.
script::Result markerArguments(script::Interp& in, Vec3& s, Vec3& e);

}  // namespace rz::geometry
