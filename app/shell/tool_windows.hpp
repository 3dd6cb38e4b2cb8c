#pragma once
// The modeless tool windows: the command palette and the material, mapping, selection,
// camera, light and shape-point edit windows. They live for the whole run and are only shown
// and hidden; each hands its button identifiers to the main window's command handler.

#include <QDialog>
#include <QPoint>
#include <array>
#include <memory>

#include "app/shell/command_port.hpp"
#include "db/settings.hpp"

namespace rz::app {

enum class ToolWindow { Palette, Material, Mapping, Selection, Camera, Light, PointEdit };
inline constexpr int kToolWindowCount = 7;

class CommandPalette;
class CameraWindow;
class RecordListWindow;
class PointEditWindow;

class ToolWindows {
  public:
    ToolWindows(QWidget& mainWindow, CommandPort& port);
    ~ToolWindows();

    // Start-up: each window at the main window's corner plus its offset, the palette shown
    // and the others as the settings say (the edit window stays hidden).
    void placeAndShow(const db::Settings& settings);
    bool visible(ToolWindow w) const;
    void setVisible(ToolWindow w, bool shown);
    // Around full renders: the visible ones are remembered and hidden, then the palette and
    // those remembered come back.
    void hideAll();
    void restore();
    // A command delivered to one window (2654 refreshes the selection list, 2535 the
    // material list, 2417 the mapping list).
    void send(ToolWindow w, int command);
    // After a material, mapping or light was made, changed or deleted: their lists anew.
    void refreshRecordLists();
    // Visibility and offsets as they are to be written at shutdown.
    void writeBack(db::Settings& settings) const;
    QDialog& window(ToolWindow w);

    CommandPalette& palette();
    CameraWindow& camera();
    // The material, mapping, selection or light window; null for the others.
    RecordListWindow* recordList(ToolWindow w);
    PointEditWindow& pointEdit();
    // The offset of the window's client area from the main window, as last recorded.
    QPoint recordedOffset(ToolWindow w) const;

  private:
    struct Windows;
    void windowMoved(ToolWindow w);

    QWidget& main_;
    std::unique_ptr<Windows> windows_;
    std::array<bool, kToolWindowCount> remembered_{};
    bool hiddenForRender_ = false;
    QPoint cornerAtPlacement_;
    std::array<QPoint, kToolWindowCount> placedAt_{};
    std::array<QPoint, kToolWindowCount> recorded_{};
};

}  // namespace rz::app
