#pragma once
// The few controls every model dialog is made of: a prompt, a list of records, a name
// field, angle fields and the OK/Cancel buttons. Each control carries an object name so a
// test host can find and answer it.

#include <QDialog>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QListWidget>
#include <QString>
#include <QVBoxLayout>
#include <span>
#include <vector>

#include "app/shell/command_port.hpp"

namespace rz::app {

// A record as a list shows it: its number and its label.
struct ListEntry {
    int number = 0;
    QString label;
};

enum class Choice { One, Many };

// A modal dialog owned by the main window, laid out top to bottom.
class ModelDialog {
  public:
    ModelDialog(CommandPort& port, const char* title);

    QDialog& dialog() { return dialog_; }
    void addPrompt(const QString& text);
    // Rows keep their record numbers; the first row is chosen when `current` is not listed.
    QListWidget* addList(const char* name, std::span<const ListEntry> entries, Choice choice,
                         int current = -1);
    QLineEdit* addLine(const char* name, const QString& text, int maxBytes);
    QDoubleSpinBox* addAngle(const char* name, const QString& label, double value);
    QDoubleSpinBox* addNumber(const char* name, const QString& label, double value);
    // OK/Cancel ("buttons"); true when the host answered OK.
    bool exec();

  private:
    CommandPort& port_;
    QDialog dialog_;
    QVBoxLayout* layout_;
};

// The record numbers of the chosen rows, in list order.
std::vector<int> chosenNumbers(const QListWidget& list);

}  // namespace rz::app
