#pragma once
// The renderer's own commands: zinit and drawinit (Z-Buffer emptied), cinit (C-Buffer
// filled), drawmode and setquality.

#include <span>

#include "script/command_table.hpp"

namespace rz::render {

std::span<const script::CommandRow> renderCommands();

}  // namespace rz::render
