#pragma once
// The geometry commands of the language: raw records, the matrix stack and the current
// matrix, and applying it to the model.

#include <span>

#include "script/command_table.hpp"
#include "script/interp.hpp"

namespace rz::geometry {

// Rows for the command table. Raw records: axis.add, patch.add, shape.add, matrix.add.
std::span<const script::CommandRow> rawRecordCommands();
// The current matrix and the stack.
std::span<const script::CommandRow> matrixCommands();
// Applying the current matrix to shapes, blocks and rigids.
std::span<const script::CommandRow> affineCommands();
// The block commands that need the shapes' geometry: new.block, add.block, decalbox.
std::span<const script::CommandRow> blockGeometryCommands();

}  // namespace rz::geometry
