#pragma once
// The file dialog flows: each empties #STRING, asks for a file with its title and filters,
// puts the chosen path in #STRING and runs its statements, or its cancel statements.

#include "app/shell/command_port.hpp"

namespace rz::app {

enum class FileFlow {
    ModelOpen,
    ModelAdd,
    ModelSave,
    CameraOpen,
    CameraSave,
    LightOpen,
    LightSave,
    DxfImport,
    DxfSave,
    VrmlSave,
    RokOpen,
    RokSave,
    PoseOpen,
    PoseSave,
    BackgroundFine,
    BackgroundFinish,
    ImageOpen,
    ImageSave,
    Script,
};

// The command the script flow sends once #STRING names the script: it runs the script.
inline constexpr int kRunChosenScript = 2116;
// The code a file dialog fails with when the path does not fit #STRING.
inline constexpr int kFileNameBufferTooSmall = 0x3003;

// True when a file was chosen (and its statements were run).
bool runFileFlow(FileFlow flow, CommandPort& port);

}  // namespace rz::app
