#pragma once
// The model-save flow: the save dialog puts the chosen path into #STRING and
// "write #STRING;" stores the model under it.

namespace rz::app {

class MainWindow;

void runModelSaveFlow(MainWindow& window);

}  // namespace rz::app
