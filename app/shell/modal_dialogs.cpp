#include "app/shell/modal_dialogs.hpp"

#include "app/shell/dialogs/dialog_row.hpp"

namespace rz::app {

bool runModalDialog(int dialog, int command, CommandPort& port) {
    for (const std::span<const DialogRow> rows : {settingDialogs(), modelDialogs()}) {
        for (const DialogRow& row : rows)
            if (row.id == dialog) return row.run(command, port);
    }
    return false;
}

}  // namespace rz::app
