#include "app/shell/tool_windows.hpp"

namespace rz::app {

// Placeholder until the windows land: empty dialogs.
struct ToolWindows::Windows {
    std::array<QDialog, kToolWindowCount> dialogs;
};

ToolWindows::ToolWindows(QWidget&, CommandPort&) : windows_(std::make_unique<Windows>()) {}
ToolWindows::~ToolWindows() = default;
void ToolWindows::placeAndShow(const db::Settings&) {}
bool ToolWindows::visible(ToolWindow w) const {
    return windows_->dialogs[static_cast<int>(w)].isVisible();
}
void ToolWindows::setVisible(ToolWindow w, bool shown) {
    windows_->dialogs[static_cast<int>(w)].setVisible(shown);
}
void ToolWindows::hideAll() {}
void ToolWindows::restore() {}
void ToolWindows::send(ToolWindow, int) {}
void ToolWindows::writeBack(db::Settings&) const {}
QDialog& ToolWindows::window(ToolWindow w) {
    return windows_->dialogs[static_cast<int>(w)];
}

}  // namespace rz::app
