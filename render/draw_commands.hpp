#pragma once
// The drawing commands: wire and parswire, draw and store, which draw the wireframe views or
// render, their .thread forms and threadwait, and the box-cursor marker of bcurgen and
// bcurreg.

#include <span>

#include "script/command_table.hpp"

namespace rz::render {

// Rows for the command table: wire, parswire, draw, store, their .thread forms, threadwait,
// bcurgen, bcurreg. With a render mode (RAPID ... FINISH) they render into the C-Buffer.
std::span<const script::CommandRow> drawCommands();

}  // namespace rz::render
