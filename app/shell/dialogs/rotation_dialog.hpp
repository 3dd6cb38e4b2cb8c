#pragma once
// Dialog 79, "回転角度指定": turns the selected shapes (2214), a copy of them (2221) or the
// selected parts with their displacement (2607) about a centre by three angles.

#include "app/shell/command_port.hpp"

namespace rz::app {

bool runRotationAngles(int command, CommandPort& port);

}  // namespace rz::app
