#pragma once
// Importing a DXF file: the converter writes a temporary script in the start directory,
// which is then read like any other data file.

#include <string>

#include "script/interp.hpp"

namespace rz::app {

// Runs polyconv on every mesh of the file and reads what it wrote, then fits the views to
// the model.
void importDxf(script::Interp& in, const std::string& dxfPath);

}  // namespace rz::app
