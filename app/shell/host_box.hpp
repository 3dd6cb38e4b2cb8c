#pragma once
// A message box owned by the main window and run through its dialog host, so that tests
// answer it like any other modal dialog.

#include <QMessageBox>
#include <QString>

#include "app/shell/command_port.hpp"

namespace rz::app {

void showHostBox(CommandPort& port, QMessageBox::Icon icon, const QString& title,
                 const QString& text);

}  // namespace rz::app
