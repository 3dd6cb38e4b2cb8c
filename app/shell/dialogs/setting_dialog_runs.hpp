#pragma once
// The dialogs of materials, mappings, lights, the camera and the environment, each run for
// the command that opened it. True when completed with OK.

#include "app/shell/command_port.hpp"

namespace rz::app {

bool runChooseMaterialDialog(int command, CommandPort& port);        // 14
bool runMaterialDialog(int command, CommandPort& port);              // 27
bool runMappingDialog(int command, CommandPort& port);               // 30
bool runChooseMappingDialog(int command, CommandPort& port);         // 31
bool runLightDialog(int command, CommandPort& port);                 // 17
bool runLightNumberDialog(int command, CommandPort& port);           // 18
bool runCapDialog(int command, CommandPort& port);                   // 16
bool runTorusRatioDialog(int command, CommandPort& port);            // 69
bool runDivisionsDialog(int command, CommandPort& port);             // 77
bool runCameraStepDialog(int command, CommandPort& port);            // 57
bool runRotateAboutTargetDialog(int command, CommandPort& port);     // 75
bool runRotateAboutViewpointDialog(int command, CommandPort& port);  // 76
bool runBackgroundDialog(int command, CommandPort& port);            // 82
bool runAboutDialog(int command, CommandPort& port);                 // 19
bool runEnvironmentDialog(int command, CommandPort& port);           // 56

}  // namespace rz::app
