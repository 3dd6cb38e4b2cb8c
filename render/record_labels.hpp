#pragma once
// The name labels of the wire views and picking records by them. A shape is labelled
// "Skin(n)", a block "Block(n): name" on the first visible shape of each of its runs of
// consecutive shapes, a rigid "Rigid(n): name" at its joint. A label's cell has its top-left
// corner at the projected centre of the record's box; drawing and the hit tests place it
// alike, so a click on a drawn label finds it.

#include <span>

#include "render/views.hpp"
#include "script/command_table.hpp"
#include "script/interp.hpp"

namespace rz::render {

// pick.face and pick.block.
std::span<const script::CommandRow> labelCommands();

// The shape whose label lies under the pixel of the view area, or -1. A hit shape that is
// normal becomes active and one that is active becomes normal, and its label is drawn again
// in the colour of its new state. By block labels, the later shapes of that block (hidden
// ones excepted) follow the hit shape.
int pickShapeAt(Views& views, script::Interp& in, int x, int y);
int pickBlockAt(Views& views, script::Interp& in, int x, int y);

}  // namespace rz::render
