#pragma once
// The modal dialogs the command handler opens, by their resource numbers: each shows the
// variables it edits and, on OK, hands the statements that set them to the interpreter.

#include "app/shell/command_port.hpp"

namespace rz::app {

// Runs dialog `dialog` for the command `command` that opened it (dialog 79 rotates blocks,
// copies or parts, by the command). True when it was completed with OK.
bool runModalDialog(int dialog, int command, CommandPort& port);

}  // namespace rz::app
