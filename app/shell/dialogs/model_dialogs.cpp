#include "app/shell/dialogs/dialog_row.hpp"

namespace rz::app {

// Placeholder until the dialogs land.
std::span<const DialogRow> modelDialogs() {
    return {};
}

}  // namespace rz::app
