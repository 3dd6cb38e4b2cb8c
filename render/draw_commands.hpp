#pragma once
// The drawing commands as far as they draw the wireframe views: wire and parswire, draw and
// store with a wireframe draw value, and the box-cursor marker of bcurgen and bcurreg.

#include <span>

#include "script/command_table.hpp"

namespace rz::render {

// Rows for the command table: wire, parswire, draw, store, bcurgen, bcurreg. With a render
// mode (RAPID ... FINISH) draw and store, and wire or parswire given one, still answer that
// rendering is not supported.
std::span<const script::CommandRow> drawCommands();

}  // namespace rz::render
