#pragma once
// The tool windows that are a row of buttons over a list of records: material (65), mapping
// (66), light (70) and selection (67). Buttons send their identifiers to the main window;
// choosing a list row makes that record the current one by a statement and then sends the
// list's identifier, so the main window loads it.

#include <QColor>
#include <QDialog>
#include <QGridLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "app/shell/command_port.hpp"

namespace rz::app {

struct ToolButton {
    int id;
    const char* caption;
};

struct ListRow {
    int record;
    QString text;
    std::optional<QColor> colour;  // a swatch before the text
};

struct RecordListKind {
    const char* objectName;  // the dialog's number
    const char* title;
    std::span<const ToolButton> buttons;
    int listId;    // the list control
    int chosenId;  // sent when a row is chosen
    // The statement that makes record %1 current.
    const char* choose;
    // The variable that names the current record, shown as the chosen row.
    const char* pointer;
    std::vector<ListRow> (*rows)(script::Interp& in);
};

const RecordListKind& materialWindowKind();
const RecordListKind& mappingWindowKind();
const RecordListKind& lightWindowKind();
const RecordListKind& selectionWindowKind();

class RecordListWindow final : public QDialog {
  public:
    RecordListWindow(const RecordListKind& kind, CommandPort& port, QWidget* parent);

    // The list anew from the records, the current one chosen.
    void refresh();
    QListWidget& list() { return list_; }
    // The button with this identifier; null for any other.
    QPushButton* button(int id);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void rowChosen(int row);

    const RecordListKind& kind_;
    CommandPort& port_;
    std::vector<ListRow> rows_;
    QVBoxLayout column_{this};
    QGridLayout buttonGrid_;
    QListWidget list_;
    std::vector<std::unique_ptr<QPushButton>> buttons_;
};

}  // namespace rz::app
