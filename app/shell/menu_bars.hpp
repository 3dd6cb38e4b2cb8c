#pragma once
// The menus built from the command table: the main menu bar (10001), the reduced one of the
// real-time display (10002), the three view pop-ups and the accelerator keys (101). An item
// chosen anywhere is handed to `deliver` by its identifier; check marks and enabled states
// are set by identifier, in every menu that lists it.

#include <QKeyCombination>
#include <QList>
#include <QMainWindow>
#include <QMenu>
#include <QShortcut>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "app/shell/command_table.hpp"
#include "app/shell/interface_state.hpp"

namespace rz::app {

enum class MenuBar { Main = 10001, RealTime = 10002 };

class MenuBars {
  public:
    MenuBars(QMainWindow& window, std::function<void(int id)> deliver);
    ~MenuBars();
    MenuBars(const MenuBars&) = delete;
    MenuBars& operator=(const MenuBars&) = delete;

    // False when the window has no menu bar to show them in.
    bool show(MenuBar bar);
    MenuBar shown() const { return shown_; }
    QMenu& popup(ViewPopup which);

    // Grays or re-enables every top-level item of both bars.
    void setBarEnabled(bool enabled);
    bool barEnabled() const { return barEnabled_; }

    void setChecked(int id, bool checked);
    void setEnabled(int id, bool enabled);
    // The mark goes to `id` and leaves every other item of its group.
    void moveMark(CheckGroup group, int id);
    // Every menu item of an identifier, in every bar and pop-up.
    QList<QAction*> actions(int id) const;

    // One line of a menu layout.
    struct Entry;

  private:
    QMenu& build(QMenu& menu, std::span<const Entry> entries);
    QMenu& newMenu(const char* title);

    QMainWindow& window_;
    std::function<void(int)> deliver_;
    std::vector<std::unique_ptr<QMenu>> menus_;  // parents before their submenus
    std::vector<QMenu*> mainBar_;
    std::vector<QMenu*> realTimeBar_;
    std::array<QMenu*, 3> popups_{};
    std::multimap<int, QAction*> items_;
    std::vector<std::unique_ptr<QShortcut>> accelerators_;
    MenuBar shown_ = MenuBar::Main;
    bool barEnabled_ = true;
};

}  // namespace rz::app
