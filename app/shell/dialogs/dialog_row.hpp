#pragma once
// A modal dialog by its resource number: run(command, port) shows it for the command that
// opened it and, on OK, runs the statements that set what it edits. True on OK.

#include <span>

#include "app/shell/command_port.hpp"

namespace rz::app {

struct DialogRow {
    int id;
    bool (*run)(int command, CommandPort& port);
};

// The dialogs of materials, mappings, lights, the camera and the environment.
std::span<const DialogRow> settingDialogs();
// The dialogs of shapes, parts, joints and motion models.
std::span<const DialogRow> modelDialogs();

}  // namespace rz::app
