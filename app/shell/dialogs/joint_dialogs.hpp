#pragma once
// The dialogs of joints (rigids) and motion models (actors): making, naming, choosing and
// releasing joints, the motion models' start joints and names, and turning a part about a
// joint.

#include "app/shell/command_port.hpp"

namespace rz::app {

bool runNewJoint(int command, CommandPort& port);         // 40
bool runJointName(int command, CommandPort& port);        // 41
bool runReleaseJoint(int command, CommandPort& port);     // 43
bool runActorStartJoint(int command, CommandPort& port);  // 44
bool runChooseJoint(int command, CommandPort& port);      // 45
bool runChooseActor(int command, CommandPort& port);      // 46
bool runActorName(int command, CommandPort& port);        // 47
bool runDeleteActor(int command, CommandPort& port);      // 48
bool runMotionJoint(int command, CommandPort& port);      // 50
bool runMotionAngles(int command, CommandPort& port);     // 51

}  // namespace rz::app
