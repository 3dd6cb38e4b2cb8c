#pragma once
// A dialog built from a table of the language variables it edits. Each row gives a variable,
// its caption and how it is edited; the dialog shows the variables' current values and, on
// OK, gives back the assignments that set them, as statements for the interpreter.

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <array>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "app/shell/command_port.hpp"
#include "script/interp.hpp"

namespace rz::app {

enum class FieldKind {
    Number,  // a scalar in a spin box
    Vector,  // three spin boxes, x, y and z
    Switch,  // a scalar that is 0 or 1, as a check box
    Choice,  // a scalar that takes one of a few named values
};

struct FieldChoice {
    const char* label;
    int value;
};

struct FieldRow {
    const char*
        variable;  // also the object name of its control (".x", ".y", ".z" added for vectors)
    const char* caption;
    FieldKind kind = FieldKind::Number;
    double minimum = 0.0;
    double maximum = 0.0;
    int decimals = 0;
    std::span<const FieldChoice> choices = {};
};

// The control of one row.
class FieldControl : public QWidget {
  public:
    FieldControl(const FieldRow& row, script::Interp& in);
    // "name = value; " or "name = ( x, y, z ); ".
    std::string statement() const;

  private:
    const FieldRow& row_;
    QHBoxLayout layout_{this};
    std::array<QDoubleSpinBox, 3> numbers_;
    QCheckBox check_;
    QComboBox choice_;
};

// A modal dialog of variable rows with OK and Cancel.
class VariableDialog : public QDialog {
  public:
    VariableDialog(QWidget& owner, const char* title, std::span<const FieldRow> rows,
                   script::Interp& in);
    // The assignments of every row, in table order.
    std::string statements() const;

  private:
    QVBoxLayout layout_{this};
    QFormLayout form_;
    std::vector<std::unique_ptr<FieldControl>> fields_;
    QDialogButtonBox buttons_{QDialogButtonBox::Ok | QDialogButtonBox::Cancel};
};

// Runs a variable dialog through the port's host; on OK runs its assignments followed by
// `closing` (the record command that keeps them, if any). True on OK.
bool runVariableDialog(CommandPort& port, const char* title, std::span<const FieldRow> rows,
                       const char* closing = "");

// A number as the language reads it back (no locale, no trailing zeros).
std::string numberText(double value);

// The value of a scalar or vector variable; 0 for a name that is not such a variable and for
// a component that is not a finite number, which no control could show.
double scalarValue(script::Interp& in, const char* name);
Vec3 vectorValue(script::Interp& in, const char* name);
// A value as a whole number a control can hold (record numbers, choices), truncated.
int wholeValue(double v);

}  // namespace rz::app
