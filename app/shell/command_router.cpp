#include "app/shell/command_router.hpp"

#include <QApplication>
#include <algorithm>
#include <cmath>

#include "app/shell/command_table.hpp"
#include "app/shell/main_window.hpp"
#include "db/system_variables.hpp"
#include "render/pane_layout.hpp"
#include "render/view_repaint.hpp"

namespace rz::app {
namespace {

void run(MainWindow& w, const char* statements) {
    if (statements != nullptr) w.run(statements);
}

// False when a dialog was cancelled.
bool openDialogs(MainWindow& w, const CommandRow& row) {
    for (const int dialog : row.dialogs) {
        if (dialog == 0) break;
        if (!w.openDialog(dialog, row.id)) return false;
    }
    return true;
}

void finish(MainWindow& w, const CommandRow& row) {
    if (row.group != CheckGroup::None) w.menus().moveMark(row.group, row.id);
    if (row.effects & kRefreshesSelection)
        w.toolWindows().send(ToolWindow::Selection, cmd::kRefreshSelectionList);
    if (row.effects & kChangesModel) w.markModified();
    if (row.effects & kRefreshesRecords) w.toolWindows().refreshRecordLists();
    if (row.effects & kShowsImage) w.showImageWindow();
    if (row.effects & kUpdatesViewBounds) {
        workstation::Workstation& ws = w.workstation();
        ws.threads.stopViews();
        render::layoutViews(ws.views, ws.interp);
    }
}

void act(MainWindow& w, const CommandRow& row) {
    InterfaceState& state = w.interfaceState();
    if ((row.effects & kNeedsInput) && !state.input) return;
    if (row.effects & kHidesToolWindows) w.hideToolWindows();
    if (row.effects & kDisablesMenuBar) w.disableMenuBar();
    run(w, row.before);
    if (!openDialogs(w, row) && (row.effects & kStopsOnCancel)) return;
    if (row.mouse != MouseMode::None) w.beginMouseMode(row.mouse);
    if (row.flow) {
        const bool wasOn = state.input;
        if (row.effects & kInputOffDuring) state.input = false;
        w.openFileFlow(*row.flow);
        state.input = wasOn;
    }
    if (row.handler != nullptr) row.handler(w, row.id);
    run(w, row.after);
    finish(w, row);
}

// The grid steps by menu position, as set.wingrid n sets them.
constexpr std::array<float, 12> kGridSteps{100, 200, 500, 1000, 2000, 5000, 10, 20, 50, 1, 2, 5};
constexpr int kFirstGridStep = 301;
constexpr int kFirstWindowScale = 341;

struct ModeMark {
    int value;
    int id;
};
constexpr std::array<ModeMark, 3> kGridPlanes{{{1, 204}, {2, 205}, {3, 206}}};
constexpr std::array<ModeMark, 3> kDirections{{{1, 209}, {2, 207}, {3, 208}}};
constexpr std::array<ModeMark, 5> kLayouts{{{6, 701}, {3, 702}, {5, 703}, {4, 704}, {1, 705}}};
constexpr std::array<ModeMark, 2> kGlSizes{{{1, 2567}, {2, 2566}}};
constexpr std::array<ModeMark, 5> kGlModes{
    {{1, 2568}, {11, 2570}, {21, 2572}, {12, 2571}, {22, 2573}}};

void mark(MainWindow& w, CheckGroup group, std::span<const ModeMark> marks, int value) {
    const auto m = std::ranges::find(marks, value, &ModeMark::value);
    w.menus().moveMark(group, m != marks.end() ? m->id : 0);
}

}  // namespace

void routeCommand(MainWindow& window, int id) {
    const CommandRow* row = findCommand(id);
    if (row == nullptr) {
        QApplication::beep();
        window.run("nosupport;");
        return;
    }
    act(window, *row);
}

void markCurrentModes(MainWindow& window) {
    workstation::Workstation& w = window.workstation();
    script::Interp& in = w.interp;
    const auto scalar = [&in](db::SysVar v) {
        return static_cast<int>(std::lround(db::scalarVar(in, v)));
    };
    mark(window, CheckGroup::GridPlane, kGridPlanes, scalar(db::SysVar::GridPlane));
    mark(window, CheckGroup::BlockDirection, kDirections, scalar(db::SysVar::Direc));
    mark(window, CheckGroup::WindowLayout, kLayouts, scalar(db::SysVar::Winmode));
    mark(window, CheckGroup::GlViewSize, kGlSizes, w.renderer.state.glViewSize);
    mark(window, CheckGroup::GlViewMode, kGlModes, w.renderer.state.glViewMode);

    const auto* step = std::ranges::find(kGridSteps, db::scalarVar(in, db::SysVar::GridStep));
    window.menus().moveMark(CheckGroup::GridStep,
                            step != kGridSteps.end()
                                ? kFirstGridStep + static_cast<int>(step - kGridSteps.begin())
                                : 0);
    int scale = 0;
    for (int n = 0; n <= 10; ++n)
        if (render::zoomFactor(n) == w.views.factor) scale = kFirstWindowScale + n;
    window.menus().moveMark(CheckGroup::WindowScale, scale);

    window.menus().setChecked(cmd::kWireFast, !w.db.boxCursor.wireDetail);
    window.menus().setEnabled(cmd::kOverwriteSave, false);
}

}  // namespace rz::app
