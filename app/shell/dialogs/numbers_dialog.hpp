#pragma once
// A modal dialog of a few numbers that are not language variables (camera steps, rotation
// angles): each row has its control's object name, a caption, a range and a start value.

#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QVBoxLayout>
#include <array>
#include <span>

namespace rz::app {

struct NumberRow {
    const char* name;
    const char* caption;
    double minimum;
    double maximum;
    int decimals;
};

class NumbersDialog : public QDialog {
  public:
    static constexpr std::size_t kMaxRows = 3;

    // At most kMaxRows rows; `start` gives their first values.
    NumbersDialog(QWidget& owner, const char* title, std::span<const NumberRow> rows,
                  std::span<const double> start);
    double value(std::size_t row) const { return boxes_.at(row).value(); }

  private:
    QVBoxLayout layout_{this};
    QFormLayout form_;
    std::array<QDoubleSpinBox, kMaxRows> boxes_;
    QDialogButtonBox buttons_{QDialogButtonBox::Ok | QDialogButtonBox::Cancel};
};

}  // namespace rz::app
