#pragma once
// set.glviewmode and set.glviewsize: how the OpenGL preview draws and how much of its
// window it fills.

#include <span>

#include "script/command_table.hpp"

namespace rz::render {

std::span<const script::CommandRow> glViewCommands();

}  // namespace rz::render
