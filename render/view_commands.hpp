#pragma once
// The commands of the wireframe views: laying out and clearing the panes, the zoom factor,
// the wire detail, the layers' reset, and capture of the views' image.

#include <span>

#include "script/command_table.hpp"

namespace rz::render {

// Rows for the command table: winclear, windisp, parswinclear, set.winfact, wire.detail,
// initlayer, capture.
std::span<const script::CommandRow> viewCommands();

}  // namespace rz::render
