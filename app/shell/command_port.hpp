#pragma once
// What the tool windows, the dialogs and the file flows have of the main window: its command
// handler, the one entry into the interpreter, the window itself as owner, and the host that
// runs modal dialogs. They never change the model in any other way.

#include <QString>
#include <QWidget>

#include "app/shell/camera_steps.hpp"
#include "db/settings.hpp"
#include "script/interp.hpp"

namespace rz::app {

class DialogHost;

class CommandPort {
  public:
    virtual ~CommandPort() = default;

    // The main window's command handler: acts by the identifier alone.
    virtual void sendCommand(int id) = 0;
    // execCommandString with the main window as the calling window.
    virtual void run(const char* statements) = 0;
    // The interpreter, for reading variables a dialog shows (writing goes through run()).
    virtual script::Interp& interp() = 0;
    virtual DialogHost& dialogs() = 0;
    // Owner of the modal dialogs and boxes.
    virtual QWidget& owner() = 0;
    // The window title shows the model file.
    virtual void showModelFile(const QString& path) = 0;
    // The settings to be written back at shutdown; the environment dialog changes what the
    // next start will use, never the stores of this run.
    virtual db::Settings& settings() = 0;
    // The camera window's step sizes, which the camera step dialog edits.
    virtual CameraSteps& cameraSteps() = 0;
};

}  // namespace rz::app
