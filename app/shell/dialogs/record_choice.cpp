#include "app/shell/dialogs/record_choice.hpp"

#include <QPixmap>
#include <algorithm>
#include <string>

#include "app/shell/dialog_host.hpp"
#include "app/shell/dialogs/variable_form.hpp"

namespace rz::app {
namespace {

constexpr int kSwatchSize = 16;

}  // namespace

RecordChoiceDialog::RecordChoiceDialog(QWidget& owner, const RecordChoice& choice, int current,
                                       int count, const RecordDescriber& describe)
    : QDialog(&owner), first_(choice.first) {
    setWindowTitle(QString::fromUtf8(choice.title));
    setModal(true);
    list_.setObjectName("list");
    for (int n = choice.first; n < count; ++n) {
        const RecordEntry entry = describe(n);
        auto item = std::make_unique<QListWidgetItem>(entry.text);
        if (entry.colour.isValid()) {
            QPixmap swatch(kSwatchSize, kSwatchSize);
            swatch.fill(entry.colour);
            item->setIcon(swatch);
        }
        list_.addItem(item.release());  // the list owns its items
    }
    if (list_.count() > 0)
        list_.setCurrentRow(std::clamp(current - choice.first, 0, list_.count() - 1));
    layout_.addWidget(&list_);
    layout_.addWidget(&buttons_);
    connect(&buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(&buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(&list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
}

int RecordChoiceDialog::chosen() const {
    const int row = list_.currentRow();
    return row < 0 ? -1 : first_ + row;
}

bool runRecordChoice(CommandPort& port, const RecordChoice& choice, int limit,
                     const RecordDescriber& describe) {
    script::Interp& in = port.interp();
    const int count = std::clamp(wholeValue(scalarValue(in, choice.countVariable)), 0, limit);
    const int current = wholeValue(scalarValue(in, choice.pointVariable));
    RecordChoiceDialog dialog(port.owner(), choice, current, count, describe);
    if (port.dialogs().exec(dialog) != QDialog::Accepted) return false;
    const int n = dialog.chosen();
    if (n < 0) return false;
    const std::string s = std::string(choice.pointVariable) + " = " + std::to_string(n) + "; ";
    port.run(s.c_str());
    return true;
}

}  // namespace rz::app
