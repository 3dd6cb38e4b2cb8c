#pragma once
// Importing a DXF file: the converter writes a temporary script in the start directory,
// which is then read like any other data file. The console and the window share the
// conversion; each runs the read statement through its own entry.

#include <string>

#include "script/interp.hpp"

namespace rz::app {

// Runs polyconv on every mesh of the file into "<start dir>/temp.pts" and gives the
// statement that reads it and fits the views to the model; empty (after an error box) when
// there is no converter to run.
std::string convertDxf(script::Interp& in, const std::string& dxfPath);

// convertDxf, then its statement run with the window that last ran a command string.
void importDxf(script::Interp& in, const std::string& dxfPath);

}  // namespace rz::app
