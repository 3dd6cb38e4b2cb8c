#include "app/shell/host_box.hpp"

#include "app/shell/dialog_host.hpp"

namespace rz::app {

void showHostBox(CommandPort& port, QMessageBox::Icon icon, const QString& title,
                 const QString& text) {
    QMessageBox box(icon, title, text, QMessageBox::Ok, &port.owner());
    port.dialogs().exec(box);
}

}  // namespace rz::app
