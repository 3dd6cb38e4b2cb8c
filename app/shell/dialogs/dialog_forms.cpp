#include "app/shell/dialogs/dialog_forms.hpp"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>

#include "app/shell/dialog_host.hpp"

namespace rz::app {
namespace {

// Coordinates and angles beyond these are typing slips rather than positions in a model.
constexpr double kNumberLimit = 1e7;

}  // namespace

ModelDialog::ModelDialog(CommandPort& port, const char* title)
    : port_(port), dialog_(&port.owner()), layout_(new QVBoxLayout(&dialog_)) {
    dialog_.setWindowTitle(QString::fromUtf8(title));
}

void ModelDialog::addPrompt(const QString& text) {
    auto* label = new QLabel(text, &dialog_);
    label->setObjectName(QStringLiteral("prompt"));
    label->setWordWrap(true);
    layout_->addWidget(label);
}

QListWidget* ModelDialog::addList(const char* name, std::span<const ListEntry> entries,
                                  Choice choice, int current) {
    auto* list = new QListWidget(&dialog_);
    list->setObjectName(QString::fromLatin1(name));
    list->setSelectionMode(choice == Choice::Many ? QAbstractItemView::ExtendedSelection
                                                  : QAbstractItemView::SingleSelection);
    int currentRow = 0;
    for (const ListEntry& e : entries) {
        auto* item = new QListWidgetItem(e.label, list);
        item->setData(Qt::UserRole, e.number);
        if (e.number == current) currentRow = list->count() - 1;
    }
    if (list->count() > 0 && choice == Choice::One) list->setCurrentRow(currentRow);
    layout_->addWidget(list);
    return list;
}

QLineEdit* ModelDialog::addLine(const char* name, const QString& text, int maxBytes) {
    auto* line = new QLineEdit(text, &dialog_);
    line->setObjectName(QString::fromLatin1(name));
    // A typed character may take up to three bytes of the record's name field.
    line->setMaxLength(maxBytes);
    layout_->addWidget(line);
    return line;
}

QDoubleSpinBox* ModelDialog::addNumber(const char* name, const QString& label, double value) {
    auto* row = new QFormLayout;
    auto* box = new QDoubleSpinBox(&dialog_);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(-kNumberLimit, kNumberLimit);
    box->setDecimals(3);
    box->setValue(value);
    row->addRow(label, box);
    layout_->addLayout(row);
    return box;
}

QDoubleSpinBox* ModelDialog::addAngle(const char* name, const QString& label, double value) {
    QDoubleSpinBox* box = addNumber(name, label, value);
    box->setRange(-360.0, 360.0);
    box->setDecimals(2);
    box->setSuffix(QStringLiteral(" °"));
    return box;
}

bool ModelDialog::exec() {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog_);
    buttons->setObjectName(QStringLiteral("buttons"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog_, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog_, &QDialog::reject);
    layout_->addWidget(buttons);
    return port_.dialogs().exec(dialog_) == QDialog::Accepted;
}

std::vector<int> chosenNumbers(const QListWidget& list) {
    std::vector<int> numbers;
    for (int row = 0; row < list.count(); ++row) {
        const QListWidgetItem* item = list.item(row);
        if (item->isSelected()) numbers.push_back(item->data(Qt::UserRole).toInt());
    }
    return numbers;
}

}  // namespace rz::app
