#pragma once
// The settings of the exporters that have commands of their own.

#include <span>

#include "script/command_table.hpp"

namespace rz::fileio {

// set.vrml.map: whether VRML files carry normals and texture coordinates.
std::span<const script::CommandRow> exportCommands();

}  // namespace rz::fileio
