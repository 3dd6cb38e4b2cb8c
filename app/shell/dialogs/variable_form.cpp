#include "app/shell/dialogs/variable_form.hpp"

#include <QString>
#include <algorithm>
#include <cmath>

#include "app/shell/dialog_host.hpp"

namespace rz::app {
namespace {

constexpr std::array<const char*, 3> kAxisSuffixes{".x", ".y", ".z"};

// The value shown for a choice the table does not name is kept as it is, so that opening and
// closing the dialog changes nothing.
void fillChoice(QComboBox& box, std::span<const FieldChoice> choices, int current) {
    for (const FieldChoice& c : choices) box.addItem(QString::fromUtf8(c.label), c.value);
    int index = box.findData(current);
    if (index < 0) {
        box.addItem(QString::number(current), current);
        index = box.count() - 1;
    }
    box.setCurrentIndex(index);
}

}  // namespace

std::string numberText(double value) {
    return QString::number(value, 'g', 7).toStdString();
}

double scalarValue(script::Interp& in, const char* name) {
    const int s = in.sym.lookup(name);
    if (s == script::SymbolTable::kNone || in.sym[s].kind != script::Tok::Scalar) return 0.0;
    const float v = in.sym.scalar(s);
    return std::isfinite(v) ? v : 0.0;
}

Vec3 vectorValue(script::Interp& in, const char* name) {
    const int s = in.sym.lookup(name);
    if (s == script::SymbolTable::kNone || in.sym[s].kind != script::Tok::Vector) return {};
    Vec3 v = in.sym.vector(s);
    for (float& c : v)
        if (!std::isfinite(c)) c = 0.0f;
    return v;
}

int wholeValue(double v) {
    constexpr double kLimit = 1 << 30;
    return static_cast<int>(std::clamp(v, -kLimit, kLimit));
}

FieldControl::FieldControl(const FieldRow& row, script::Interp& in) : row_(row) {
    layout_.setContentsMargins(0, 0, 0, 0);
    const QString name = QString::fromUtf8(row.variable);
    switch (row.kind) {
        case FieldKind::Number:
        case FieldKind::Vector: {
            const bool vector = row.kind == FieldKind::Vector;
            const Vec3 v = vector ? vectorValue(in, row.variable)
                                  : Vec3{static_cast<float>(scalarValue(in, row.variable)), 0, 0};
            const std::size_t n = vector ? 3 : 1;
            for (std::size_t i = 0; i < n; ++i) {
                QDoubleSpinBox& box = numbers_[i];
                box.setObjectName(vector ? name + kAxisSuffixes[i] : name);
                box.setDecimals(row.decimals);
                box.setRange(row.minimum, row.maximum);
                box.setValue(v[i]);
                layout_.addWidget(&box);
            }
            break;
        }
        case FieldKind::Switch:
            check_.setObjectName(name);
            check_.setChecked(scalarValue(in, row.variable) != 0.0);
            layout_.addWidget(&check_);
            break;
        case FieldKind::Choice:
            choice_.setObjectName(name);
            fillChoice(choice_, row.choices, wholeValue(scalarValue(in, row.variable)));
            layout_.addWidget(&choice_);
            break;
    }
    // The controls this row does not use stay hidden children of it.
    for (QDoubleSpinBox& box : numbers_)
        if (layout_.indexOf(&box) < 0) box.hide();
    if (layout_.indexOf(&check_) < 0) check_.hide();
    if (layout_.indexOf(&choice_) < 0) choice_.hide();
}

std::string FieldControl::statement() const {
    std::string value;
    switch (row_.kind) {
        case FieldKind::Number:
            value = numberText(numbers_[0].value());
            break;
        case FieldKind::Vector:
            value = "( " + numberText(numbers_[0].value()) + ", " +
                    numberText(numbers_[1].value()) + ", " + numberText(numbers_[2].value()) + " )";
            break;
        case FieldKind::Switch:
            value = check_.isChecked() ? "1" : "0";
            break;
        case FieldKind::Choice:
            value = std::to_string(choice_.currentData().toInt());
            break;
    }
    return std::string(row_.variable) + " = " + value + "; ";
}

VariableDialog::VariableDialog(QWidget& owner, const char* title, std::span<const FieldRow> rows,
                               script::Interp& in)
    : QDialog(&owner) {
    setWindowTitle(QString::fromUtf8(title));
    setModal(true);
    for (const FieldRow& row : rows) {
        fields_.push_back(std::make_unique<FieldControl>(row, in));
        form_.addRow(QString::fromUtf8(row.caption), fields_.back().get());
    }
    layout_.addLayout(&form_);
    layout_.addWidget(&buttons_);
    connect(&buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(&buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

std::string VariableDialog::statements() const {
    std::string s;
    for (const std::unique_ptr<FieldControl>& f : fields_) s += f->statement();
    return s;
}

bool runVariableDialog(CommandPort& port, const char* title, std::span<const FieldRow> rows,
                       const char* closing) {
    VariableDialog dialog(port.owner(), title, rows, port.interp());
    if (port.dialogs().exec(dialog) != QDialog::Accepted) return false;
    const std::string s = dialog.statements() + closing;
    port.run(s.c_str());
    return true;
}

}  // namespace rz::app
