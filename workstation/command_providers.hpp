#pragma once
// Every subsystem of the core that brings command rows; the shell adds its own.

#include <span>

#include "script/command_install.hpp"

namespace rz::workstation {

std::span<const script::CommandRows> coreCommandProviders();

}  // namespace rz::workstation
