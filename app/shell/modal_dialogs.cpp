#include "app/shell/modal_dialogs.hpp"

namespace rz::app {

// Placeholder until the dialogs land.
bool runModalDialog(int, int, CommandPort&) {
    return false;
}

}  // namespace rz::app
