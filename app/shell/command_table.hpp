#pragma once
// Every command identifier the menus, the accelerators, the palette, the tool windows and
// the dialogs deliver, as data: its caption, the statements it runs, what it does around
// them, and a handler for the few that do more. The menus are built from it and the router
// acts on it; nothing else knows an identifier.

#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "app/shell/file_flows.hpp"
#include "app/shell/interface_state.hpp"

namespace rz::app {

class MainWindow;

// What a row does besides running its statements.
enum Effect : std::uint32_t {
    kChangesModel = 1u << 0,        // sets the modified flag and enables 40007 in both bars
    kRefreshesSelection = 1u << 1,  // sends 2654 to the selection window
    kDisablesMenuBar = 1u << 2,
    kInputOffDuring = 1u << 3,     // the file flow runs with the input flag 0
    kShowsImage = 1u << 4,         // the image window comes up at the end
    kHidesToolWindows = 1u << 5,   // a full render: the tool windows go until the image closes
    kNeedsInput = 1u << 6,         // does nothing while the input flag is 0
    kStopsOnCancel = 1u << 7,      // a cancelled dialog ends the row before `after`
    kUpdatesViewBounds = 1u << 8,  // a loaded model: the panes are laid out anew
    kRefreshesRecords = 1u << 9,   // the material, mapping and light lists are listed anew
};

// Items of which exactly one carries the check mark, in every menu that lists them.
enum class CheckGroup : std::uint8_t {
    None,
    GridStep,
    WindowScale,
    GridPlane,
    BlockDirection,
    WindowLayout,
    GlViewSize,
    GlViewMode,
};

using CommandHandler = void (*)(MainWindow& window, int id);

// In order: `before` runs, the dialogs open (the second only after OK on the first), the
// mouse mode begins, the file flow runs, the handler acts, `after` runs; then the check
// mark, the selection list, the modified flag and the image window as the effects say.
struct CommandRow {
    int id = 0;
    const char* caption = nullptr;  // none: delivered only by windows and dialogs
    const char* before = nullptr;
    std::array<int, 2> dialogs{};  // 0: none
    MouseMode mouse = MouseMode::None;
    std::optional<FileFlow> flow{};
    CommandHandler handler = nullptr;
    const char* after = nullptr;
    std::uint32_t effects = 0;
    CheckGroup group = CheckGroup::None;
};

std::span<const CommandRow> commandTable();
// Nothing for an identifier without an action.
const CommandRow* findCommand(int id);

// The identifiers the router and the menus name themselves.
namespace cmd {
inline constexpr int kClose = 0;
inline constexpr int kNewModel = 40004;
inline constexpr int kOverwriteSave = 40007;
inline constexpr int kRefreshSelectionList = 2654;
inline constexpr int kRefreshMaterialList = 2535;
inline constexpr int kRefreshMappingList = 2417;
inline constexpr int kWireFast = 321;
inline constexpr int kRealTimeOn = 2563;
inline constexpr int kRealTimeOff = 2564;
inline constexpr int kSelectionWindow = 2222;
inline constexpr int kMaterialWindow = 2531;
inline constexpr int kMappingWindow = 2413;
inline constexpr int kCameraWindow = 223;
inline constexpr int kLightWindow = 243;
// Ours: the model shown in the VRML viewer the settings name.
inline constexpr int kVrmlViewer = 2015;
}  // namespace cmd

}  // namespace rz::app
