#pragma once
// Posing articulated figures: motion turns a block about one of its joints and moverigid
// moves a joint, each carrying every block beyond along; rigid.bbox selects and boxes the
// figure around the current rigid. Vertices stay in rest pose: a pose is the blocks'
// transforms and the rigids' positions.

#include <span>

#include "script/command_table.hpp"
#include "script/interp.hpp"

namespace rz::geometry {

// motion, moverigid, rigid.bbox.
std::span<const script::CommandRow> motionCommands();

}  // namespace rz::geometry
