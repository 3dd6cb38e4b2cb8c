#pragma once
// The program with its main window: start-up as headless, then the window, then the
// statements and scripts of the command line in the window's interpreter.

#include "app/command_line.hpp"

namespace rz::app {

// Whether a window system is there to open windows on (DISPLAY or WAYLAND_DISPLAY set).
bool displayPresent();

// Runs the windowed program to its end; the exit status as the headless program gives it.
int runWindowed(int& argc, char** argv, const CommandLine& cl);

}  // namespace rz::app
