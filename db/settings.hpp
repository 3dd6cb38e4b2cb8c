#pragma once
// The settings file "ROVORA_Z.INI": store capacities, renderer options, the main window's
// placement and the tool windows' visibility and offsets. Read once at start-up; the
// windowed front end writes it back at shutdown, the headless one never does.

#include <cstdint>
#include <filesystem>
#include <string>

#include "db/database.hpp"
#include "platform/message_service.hpp"

namespace rz::db {

inline constexpr const char* kSettingsFileName = "ROVORA_Z.INI";
// The viewer name is read into a 254-byte buffer with its terminating zero.
inline constexpr std::size_t kVrmlViewerMax = 253;

struct WindowPlacement {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 640;
    std::int32_t height = 480;
    std::int32_t sizeType = 0;  // 2: maximized
};

// Which tool windows are shown at start-up (1 shown).
struct ToolWindowsShown {
    std::int32_t material = 0;
    std::int32_t mapping = 0;
    std::int32_t camera = 0;
    std::int32_t select = 0;
    std::int32_t light = 0;
};

struct Offset {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

// Offsets of the tool windows from the main window's top-left corner.
struct ToolWindowOffsets {
    Offset material;
    Offset mapping;
    Offset camera;
    Offset select;
    Offset edit;
    Offset light;
    Offset window3d;  // kept and written back; nothing is placed by it
};

// The most tile threads a render takes.
inline constexpr std::int32_t kMaxRenderThreads = 64;

struct Settings {
    Capacities capacity;
    std::uint8_t zbufFlag = 2;  // depth-buffer size, 1..4
    std::uint8_t cbufFlag = 1;  // rendering resolution, 1..6
    // Threads that render tiles side by side; 0: one for each hardware thread.
    std::int32_t renderThreads = 0;
    std::int32_t backup = 0;  // kept and written back; nothing reads it
    WindowPlacement window;
    ToolWindowsShown shown;
    ToolWindowOffsets offsets;
    std::int32_t wireDetail = 1;
    std::string vrmlViewer = "DIDEDORE.EXE";
};

// The settings of a file, found as the platform finds any file to be read (a name that
// differs only in case will do); a missing file or key gives the default, and a value no store or
// option could work with (a capacity too small to hold the reserved records, a flag out of
// its range) gives the default too. A capacity above its maximum (kCapacityMaxima) is cut to
// the maximum and reported on msg's diagnostic output, naming the key, the value and the
// maximum.
Settings readSettings(const std::filesystem::path& path, platform::MessageService& msg);
// The same without the reports.
Settings readSettings(const std::filesystem::path& path);
// Writes every key into the file readSettings reads, keeping whatever else it holds. False when it
// could not be written; the caller does not report that.
bool writeSettings(const std::filesystem::path& path, const Settings& settings);

// Where the settings live: the --ini file when one was given, otherwise
// $XDG_CONFIG_HOME/rovora_z/ROVORA_Z.INI with ~/.config standing in for an unset, empty or
// relative XDG_CONFIG_HOME.
std::filesystem::path settingsPath(const std::string& iniOverride);
// The same from explicit values of the two variables (null when unset).
std::filesystem::path settingsPath(const std::string& iniOverride, const char* xdgConfigHome,
                                   const char* home);

}  // namespace rz::db
