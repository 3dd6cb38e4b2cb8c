#pragma once
// The material sample: the attribute being edited shown on a ball in the top-left 80 x 60
// pixels of the C-Buffer, with its own camera and light.

#include <span>

#include "script/command_table.hpp"

namespace rz::render {

// Rows for the command table: sample.draw.
std::span<const script::CommandRow> sampleCommands();

}  // namespace rz::render
