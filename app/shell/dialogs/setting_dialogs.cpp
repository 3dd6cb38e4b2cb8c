#include "app/shell/dialogs/dialog_row.hpp"

namespace rz::app {

// Placeholder until the dialogs land.
std::span<const DialogRow> settingDialogs() {
    return {};
}

}  // namespace rz::app
