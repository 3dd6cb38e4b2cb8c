#pragma once
// The mapping commands: mapinfo records (how an image is laid on a surface), the maplist
// records that chain mapinfos onto shapes, the trial mapping, and the mapping box.

#include <span>

#include "script/command_table.hpp"
#include "script/interp.hpp"

namespace rz::db {

// The commands of this file, as rows for the command table.
std::span<const script::CommandRow> mappingCommands();

}  // namespace rz::db
