#include "app/shell/tool_windows.hpp"

#include <QEvent>
#include <QScreen>
#include <functional>

#include "app/shell/tool_windows/camera_window.hpp"
#include "app/shell/tool_windows/command_palette.hpp"
#include "app/shell/tool_windows/placement.hpp"
#include "app/shell/tool_windows/point_edit_window.hpp"
#include "app/shell/tool_windows/record_list_window.hpp"

namespace rz::app {
namespace {

// The windows the settings place, with their keys; the edit window is placed but never
// shown at start-up.
struct Placed {
    ToolWindow window;
    db::Offset db::ToolWindowOffsets::*offset;
    std::int32_t db::ToolWindowsShown::*shown;  // null: stays hidden at start-up
};

constexpr std::array<Placed, 6> kPlaced{{
    {ToolWindow::Material, &db::ToolWindowOffsets::material, &db::ToolWindowsShown::material},
    {ToolWindow::Mapping, &db::ToolWindowOffsets::mapping, &db::ToolWindowsShown::mapping},
    {ToolWindow::Selection, &db::ToolWindowOffsets::select, &db::ToolWindowsShown::select},
    {ToolWindow::Camera, &db::ToolWindowOffsets::camera, &db::ToolWindowsShown::camera},
    {ToolWindow::PointEdit, &db::ToolWindowOffsets::edit, nullptr},
    {ToolWindow::Light, &db::ToolWindowOffsets::light, &db::ToolWindowsShown::light},
}};

// The windows a full render puts away.
constexpr std::array<ToolWindow, 6> kHiddenForRender{ToolWindow::Palette, ToolWindow::Material,
                                                     ToolWindow::Mapping, ToolWindow::Selection,
                                                     ToolWindow::Camera,  ToolWindow::Light};

// The palette has no stored place: it starts below the main window's menu bar.
constexpr QPoint kPaletteOffset{8, 64};

struct ListRefresh {
    ToolWindow window;
    int command;
};

constexpr std::array<ListRefresh, 3> kListRefreshes{
    {{ToolWindow::Selection, 2654}, {ToolWindow::Material, 2535}, {ToolWindow::Mapping, 2417}}};

constexpr std::size_t index(ToolWindow w) {
    return static_cast<std::size_t>(w);
}

class MoveWatcher final : public QObject {
  public:
    explicit MoveWatcher(std::function<void()> moved) : moved_(std::move(moved)) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Move) moved_();
        return QObject::eventFilter(watched, event);
    }

  private:
    std::function<void()> moved_;
};

}  // namespace

struct ToolWindows::Windows {
    Windows(QWidget& main, CommandPort& port)
        : palette(port, &main),
          material(materialWindowKind(), port, &main),
          mapping(mappingWindowKind(), port, &main),
          selection(selectionWindowKind(), port, &main),
          camera(port, &main),
          light(lightWindowKind(), port, &main),
          edit(port, &main) {}

    QDialog& operator[](ToolWindow w) {
        const std::array<QDialog*, kToolWindowCount> all{&palette, &material, &mapping, &selection,
                                                         &camera,  &light,    &edit};
        return *all[index(w)];
    }

    CommandPalette palette;
    RecordListWindow material;
    RecordListWindow mapping;
    RecordListWindow selection;
    CameraWindow camera;
    RecordListWindow light;
    PointEditWindow edit;
    std::array<std::unique_ptr<MoveWatcher>, kToolWindowCount> watchers;
};

ToolWindows::ToolWindows(QWidget& mainWindow, CommandPort& port)
    : main_(mainWindow), windows_(std::make_unique<Windows>(mainWindow, port)) {
    for (const Placed& p : kPlaced) {
        auto& watcher = windows_->watchers[index(p.window)];
        watcher = std::make_unique<MoveWatcher>([this, w = p.window] { windowMoved(w); });
        window(p.window).installEventFilter(watcher.get());
    }
}

ToolWindows::~ToolWindows() = default;

void ToolWindows::placeAndShow(const db::Settings& settings) {
    const QScreen* screen = main_.screen();
    const QSize screenSize = screen != nullptr ? screen->geometry().size() : QSize(640, 480);
    const QPoint corner = main_.frameGeometry().topLeft();
    cornerAtPlacement_ = corner;
    window(ToolWindow::Palette).move(corner + kPaletteOffset);
    for (const Placed& p : kPlaced) {
        const QPoint offset = placedOffset(settings.offsets.*p.offset, screenSize);
        placedAt_[index(p.window)] = corner + offset;
        // Until the window is moved, what is written back is the offset it was placed by.
        recorded_[index(p.window)] = offset + kAssumedFrame;
        window(p.window).move(corner + offset);
    }
    window(ToolWindow::Palette).show();
    for (const Placed& p : kPlaced)
        if (p.shown != nullptr && settings.shown.*p.shown != 0) window(p.window).show();
}

bool ToolWindows::visible(ToolWindow w) const {
    return (*windows_)[w].isVisible();
}

void ToolWindows::setVisible(ToolWindow w, bool shown) {
    window(w).setVisible(shown);
}

void ToolWindows::hideAll() {
    for (ToolWindow w : kHiddenForRender) {
        remembered_[index(w)] = visible(w);
        window(w).hide();
    }
    hiddenForRender_ = true;
}

void ToolWindows::restore() {
    window(ToolWindow::Palette).show();
    for (ToolWindow w : kHiddenForRender)
        if (remembered_[index(w)]) window(w).show();
    hiddenForRender_ = false;
}

void ToolWindows::send(ToolWindow w, int command) {
    for (const ListRefresh& r : kListRefreshes)
        if (r.window == w && r.command == command) recordList(w)->refresh();
}

void ToolWindows::refreshRecordLists() {
    for (const ToolWindow w : {ToolWindow::Material, ToolWindow::Mapping, ToolWindow::Light})
        recordList(w)->refresh();
}

void ToolWindows::writeBack(db::Settings& settings) const {
    for (const Placed& p : kPlaced) {
        const std::size_t i = index(p.window);
        settings.offsets.*p.offset = writtenOffset(recorded_[i]);
        // Put away for a render, a window still counts as shown: the render gives it back.
        if (p.shown != nullptr)
            settings.shown.*p.shown = visible(p.window) || (hiddenForRender_ && remembered_[i]);
    }
}

QDialog& ToolWindows::window(ToolWindow w) {
    return (*windows_)[w];
}

CommandPalette& ToolWindows::palette() {
    return windows_->palette;
}

CameraWindow& ToolWindows::camera() {
    return windows_->camera;
}

RecordListWindow* ToolWindows::recordList(ToolWindow w) {
    switch (w) {
        case ToolWindow::Material:
            return &windows_->material;
        case ToolWindow::Mapping:
            return &windows_->mapping;
        case ToolWindow::Selection:
            return &windows_->selection;
        case ToolWindow::Light:
            return &windows_->light;
        default:
            return nullptr;
    }
}

PointEditWindow& ToolWindows::pointEdit() {
    return windows_->edit;
}

QPoint ToolWindows::recordedOffset(ToolWindow w) const {
    return recorded_[index(w)];
}

// Placing a window moves it too; only a move away from where it was placed is the user's.
void ToolWindows::windowMoved(ToolWindow w) {
    const std::size_t i = index(w);
    const QDialog& d = window(w);
    if (d.pos() == placedAt_[i]) {
        recorded_[i] = placedAt_[i] - cornerAtPlacement_ + kAssumedFrame;
        return;
    }
    recorded_[i] = d.geometry().topLeft() - main_.frameGeometry().topLeft();
}

}  // namespace rz::app
