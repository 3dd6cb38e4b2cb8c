#pragma once
// Two different parts chosen in one dialog, for the dialogs that join or exchange them.

#include <QString>
#include <optional>

#include "app/shell/command_port.hpp"

namespace rz::app {

struct PartPair {
    int first = 0;
    int second = 0;
};

// Nothing when cancelled, or (with a status text saying why) when there are fewer than two
// parts or the same part was chosen twice.
std::optional<PartPair> chooseTwoParts(CommandPort& port, const char* title, const QString& prompt);

}  // namespace rz::app
