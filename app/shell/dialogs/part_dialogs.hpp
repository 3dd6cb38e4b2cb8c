#pragma once
// The dialogs of shapes and parts (blocks): deleting, choosing, joining, exchanging,
// dismantling, naming and filling parts, and selecting shapes by material or mapping.

#include "app/shell/command_port.hpp"

namespace rz::app {

bool runDeleteShapes(int command, CommandPort& port);        // 12
bool runChoosePart(int command, CommandPort& port);          // 21
bool runExchangeParts(int command, CommandPort& port);       // 22
bool runDismantlePart(int command, CommandPort& port);       // 23
bool runChooseParts(int command, CommandPort& port);         // 34
bool runChoosePartToRename(int command, CommandPort& port);  // 35
bool runRenamePart(int command, CommandPort& port);          // 36
bool runChooseShape(int command, CommandPort& port);         // 37
bool runNewPartName(int command, CommandPort& port);         // 38
bool runAddToPart(int command, CommandPort& port);           // 39
bool runSelectByMaterial(int command, CommandPort& port);    // 59
bool runSelectByMapping(int command, CommandPort& port);     // 60

}  // namespace rz::app
