#pragma once
// Standard input as the source of statements, when nothing else was given to run.

#include "workstation/workstation.hpp"

namespace rz::app {

// Runs each line of standard input as a command string until the input ends. A person at a
// terminal (standard input and output both terminals) gets the console: a prompt, line
// editing, a history kept across runs, completion of names with Tab, Ctrl-C to stop the
// running command, Ctrl-D to end. Pipes and files are read exactly as they come.
void readStatements(workstation::Workstation& w);

}  // namespace rz::app
