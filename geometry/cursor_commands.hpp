#pragma once
// The commands of the bounding boxes, the box cursor and the views' grid.

#include <span>

#include "script/command_table.hpp"

namespace rz::geometry {

// bbox.gen, abox.gen, blockbbox.gen and the wire-detail switch.
std::span<const script::CommandRow> boxCommands();
// The box cursor: showing it, the tools that set what a drag does, fitting it to the abox
// and back, turning its change into the current matrix, and aiming the camera at it.
std::span<const script::CommandRow> cursorCommands();
// rev.anker, set.wingrid and set.parsgrid.
std::span<const script::CommandRow> gridCommands();

}  // namespace rz::geometry
