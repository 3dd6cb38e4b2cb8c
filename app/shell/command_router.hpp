#pragma once
// The main window's command handler: an identifier finds its row of the command table and
// the row's steps are taken in order. Identifiers without a row beep and run "nosupport;".

namespace rz::app {

class MainWindow;

void routeCommand(MainWindow& window, int id);

// Start-up: the check marks from the modes in force (grid step and plane, window scale and
// layout, block direction, the real-time options, the fast wireframe, the tool windows).
void markCurrentModes(MainWindow& window);

}  // namespace rz::app
