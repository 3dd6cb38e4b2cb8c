// The about dialog (19): the program's title with its version.

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

#include "app/shell/dialog_host.hpp"
#include "app/shell/dialogs/setting_dialog_runs.hpp"
#include "app/shell/main_window.hpp"

namespace rz::app {
namespace {

class AboutDialog : public QDialog {
  public:
    explicit AboutDialog(QWidget& owner) : QDialog(&owner) {
        setWindowTitle(QStringLiteral("このシステムについて"));
        setModal(true);
        title_.setObjectName("title");
        title_.setAlignment(Qt::AlignCenter);
        layout_.addWidget(&title_);
        layout_.addWidget(&buttons_);
        connect(&buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    }

  private:
    QVBoxLayout layout_{this};
    QLabel title_{QString::fromUtf8(kProgramTitle)};
    QDialogButtonBox buttons_{QDialogButtonBox::Ok};
};

}  // namespace

bool runAboutDialog(int, CommandPort& port) {
    AboutDialog dialog(port.owner());
    return port.dialogs().exec(dialog) == QDialog::Accepted;
}

}  // namespace rz::app
