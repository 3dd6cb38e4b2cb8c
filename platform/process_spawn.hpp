#pragma once
// Starting a helper program (the DXF converter) with an argument vector, no shell.

#include <span>
#include <string>

namespace rz::platform {

// The program of this name beside the running executable, else the first one on PATH;
// empty when there is none.
std::string findProgram(const std::string& name);

// Runs the program and waits for it to end: its exit status, or -1 when it could not be
// started or did not exit normally.
int runProgram(const std::string& path, std::span<const std::string> args);

}  // namespace rz::platform
