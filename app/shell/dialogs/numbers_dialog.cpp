#include "app/shell/dialogs/numbers_dialog.hpp"

#include <algorithm>

namespace rz::app {

NumbersDialog::NumbersDialog(QWidget& owner, const char* title, std::span<const NumberRow> rows,
                             std::span<const double> start)
    : QDialog(&owner) {
    setWindowTitle(QString::fromUtf8(title));
    setModal(true);
    const std::size_t n = std::min({rows.size(), start.size(), kMaxRows});
    for (std::size_t i = 0; i < kMaxRows; ++i) {
        QDoubleSpinBox& box = boxes_[i];
        if (i >= n) {
            box.hide();
            continue;
        }
        box.setObjectName(QString::fromUtf8(rows[i].name));
        box.setDecimals(rows[i].decimals);
        box.setRange(rows[i].minimum, rows[i].maximum);
        box.setValue(start[i]);
        form_.addRow(QString::fromUtf8(rows[i].caption), &box);
    }
    layout_.addLayout(&form_);
    layout_.addWidget(&buttons_);
    connect(&buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(&buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

}  // namespace rz::app
