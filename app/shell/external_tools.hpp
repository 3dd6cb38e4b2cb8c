#pragma once
// Other programs the window hands the model to: the VRML viewer the settings name and the
// external CAD program. Both are started without waiting; one that cannot be started is
// reported in a box.

#include <string>

#include "app/shell/command_port.hpp"

namespace rz::app {

// The viewer the settings name by default; the desktop's own viewer stands in for it.
inline constexpr const char* kDefaultVrmlViewer = "DIDEDORE.EXE";
// The external CAD program, started after the model was written to "temp.dxf".
inline constexpr const char* kExternalCad = "zozazi";

// Writes the model to a temporary VRML file and shows it with the viewer; false when
// nothing was shown.
bool viewVrml(CommandPort& port, const std::string& viewer);

// Command 2114: writes the model to "temp.dxf" and starts the external CAD program; false
// when it could not be started.
bool startExternalCad(CommandPort& port);

}  // namespace rz::app
