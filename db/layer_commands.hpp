#pragma once
// The layer and selection commands: bulk layer changes, toggles by attribute and mapping,
// and the browse selection of shapes and block groups.

#include <span>

#include "script/command_table.hpp"
#include "script/interp.hpp"

namespace rz::db {

// rev.layer, hide.layer, set.layer, set.select, reset.select, sel.block.attri,
// sel.block.mapping.
std::span<const script::CommandRow> layerCommands();
// select.face, sel.jump.face, select.block, sel.jump.block.
std::span<const script::CommandRow> browseCommands();

}  // namespace rz::db
