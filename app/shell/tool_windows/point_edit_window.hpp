#pragma once
// The shape-point edit window (dialog 71): finish, cancel, reset display, step back and on,
// and the list of the points of the shape being edited. The point editor behind the main
// window fills the list and reads which point was chosen; the window sends identifiers only.

#include <QDialog>
#include <QGridLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <array>
#include <memory>

#include "app/shell/command_port.hpp"
#include "app/shell/tool_windows/record_list_window.hpp"

namespace rz::app {

inline constexpr int kPointListId = 2155;

class PointEditWindow final : public QDialog {
  public:
    PointEditWindow(CommandPort& port, QWidget* parent);

    // Rows for points 0 … count − 1, with point `current` chosen (none when outside).
    void setPoints(int count, int current);
    // The chosen point, -1 when none is.
    int chosenPoint() const { return list_.currentRow(); }
    QListWidget& list() { return list_; }
    QPushButton* button(int id);

  private:
    CommandPort& port_;
    QVBoxLayout column_{this};
    QGridLayout buttonGrid_;
    QListWidget list_;
    std::array<std::unique_ptr<QPushButton>, 5> buttons_;
};

}  // namespace rz::app
