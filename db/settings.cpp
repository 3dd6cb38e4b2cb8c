#include "db/settings.hpp"

#include <pwd.h>
#include <unistd.h>

#include <array>
#include <cstdlib>
#include <limits>

#include "platform/ini_file.hpp"
#include "platform/input_file.hpp"
#include "platform/null_sink.hpp"

namespace rz::db {
namespace {

constexpr const char* kSystemSetting = "System Setting";
constexpr const char* kSystemBackup = "System Backup";
constexpr const char* kSystemPosition = "System Position";
constexpr const char* kDialogInfo = "Dialog Info";
constexpr const char* kDialogPos = "Dialog Pos";
constexpr const char* kSystemCondition = "System Condition";
constexpr const char* kOptionTool = "OptionTool";
constexpr const char* kVrmlViewerKey = "vrml-viewer";

using Field = std::int32_t& (*)(Settings&);

constexpr std::int32_t kAnyValue = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kNoMaximum = std::numeric_limits<std::int32_t>::max();

// A capacity above its maximum is used as the maximum and said so on standard error; the
// program goes on, so it is a warning, not an error box.
constexpr const char* kAboveMaximum =
    "WARNING!!: 設定値 %s=%d が上限 %d を超えています。（修正済）\n";

struct IntKey {
    const char* section;
    const char* key;
    Field field;
    // A value below this gives the default: stores must at least hold their reserved
    // records, and start-up itself puts attribute 1 and mapinfo 1.
    std::int32_t minimum = kAnyValue;
    // A value above this is cut to it (kCapacityMaxima).
    std::int32_t maximum = kNoMaximum;
    // The key whose value (as read) is the default, instead of the field's own.
    Field defaultFrom = nullptr;
};

// Every integer key, in the order the file has always listed them.
const std::array<IntKey, 41> kIntKeys{{
    {kSystemSetting, "axismax", [](Settings& s) -> std::int32_t& { return s.capacity.axismax; }, 1,
     kCapacityMaxima.axismax},
    {kSystemSetting, "patchmax", [](Settings& s) -> std::int32_t& { return s.capacity.patchmax; },
     1, kCapacityMaxima.patchmax},
    {kSystemSetting, "shapemax", [](Settings& s) -> std::int32_t& { return s.capacity.shapemax; },
     1, kCapacityMaxima.shapemax},
    {kSystemSetting, "affinemax", [](Settings& s) -> std::int32_t& { return s.capacity.affinemax; },
     1, kCapacityMaxima.affinemax},
    {kSystemSetting, "attrimax", [](Settings& s) -> std::int32_t& { return s.capacity.attrimax; },
     2, kCapacityMaxima.attrimax},
    {kSystemSetting, "mapinfomax",
     [](Settings& s) -> std::int32_t& { return s.capacity.mapinfomax; }, 2,
     kCapacityMaxima.mapinfomax},
    {kSystemSetting, "maplistmax",
     [](Settings& s) -> std::int32_t& { return s.capacity.maplistmax; }, 1,
     kCapacityMaxima.maplistmax},
    {kSystemSetting, "mapdatamax",
     [](Settings& s) -> std::int32_t& { return s.capacity.mapdatamax; }, 1,
     kCapacityMaxima.mapdatamax},
    {kSystemSetting, "mapimagemax",
     [](Settings& s) -> std::int32_t& { return s.capacity.mapimagemax; }, 0,
     kCapacityMaxima.mapimagemax},
    {kSystemSetting, "blockmax", [](Settings& s) -> std::int32_t& { return s.capacity.blockmax; },
     1, kCapacityMaxima.blockmax},
    {kSystemSetting, "rigidmax", [](Settings& s) -> std::int32_t& { return s.capacity.rigidmax; },
     1, kCapacityMaxima.rigidmax},
    {kSystemSetting, "rlinkmax", [](Settings& s) -> std::int32_t& { return s.capacity.rlinkmax; },
     1, kCapacityMaxima.rlinkmax},
    {kSystemSetting, "actormax", [](Settings& s) -> std::int32_t& { return s.capacity.actormax; },
     1, kCapacityMaxima.actormax},
    {kSystemSetting, "render_threads", [](Settings& s) -> std::int32_t& { return s.renderThreads; },
     0, kMaxRenderThreads},
    {kSystemSetting, "scriptmax", [](Settings& s) -> std::int32_t& { return s.capacity.scriptmax; },
     0, kCapacityMaxima.scriptmax},
    {kSystemBackup, "backup", [](Settings& s) -> std::int32_t& { return s.backup; }},
    {kSystemPosition, "Xpos", [](Settings& s) -> std::int32_t& { return s.window.x; }},
    {kSystemPosition, "Ypos", [](Settings& s) -> std::int32_t& { return s.window.y; }},
    {kSystemPosition, "Xmax", [](Settings& s) -> std::int32_t& { return s.window.width; }},
    {kSystemPosition, "Ymax", [](Settings& s) -> std::int32_t& { return s.window.height; }},
    {kSystemPosition, "SizeType", [](Settings& s) -> std::int32_t& { return s.window.sizeType; }},
    {kDialogInfo, "Material", [](Settings& s) -> std::int32_t& { return s.shown.material; }},
    {kDialogInfo, "Mapping", [](Settings& s) -> std::int32_t& { return s.shown.mapping; }},
    {kDialogInfo, "Camera", [](Settings& s) -> std::int32_t& { return s.shown.camera; }},
    {kDialogInfo, "Select", [](Settings& s) -> std::int32_t& { return s.shown.select; }},
    {kDialogInfo, "Light", [](Settings& s) -> std::int32_t& { return s.shown.light; }},
    {kDialogPos, "Material_X", [](Settings& s) -> std::int32_t& { return s.offsets.material.x; }},
    {kDialogPos, "Material_Y", [](Settings& s) -> std::int32_t& { return s.offsets.material.y; }},
    {kDialogPos, "Mapping_X", [](Settings& s) -> std::int32_t& { return s.offsets.mapping.x; }},
    {kDialogPos, "Mapping_Y", [](Settings& s) -> std::int32_t& { return s.offsets.mapping.y; }},
    {kDialogPos, "Camera_X", [](Settings& s) -> std::int32_t& { return s.offsets.camera.x; }},
    {kDialogPos, "Camera_Y", [](Settings& s) -> std::int32_t& { return s.offsets.camera.y; }},
    {kDialogPos, "Select_X", [](Settings& s) -> std::int32_t& { return s.offsets.select.x; }},
    {kDialogPos, "Select_Y", [](Settings& s) -> std::int32_t& { return s.offsets.select.y; }},
    {kDialogPos, "Edit_X", [](Settings& s) -> std::int32_t& { return s.offsets.edit.x; }},
    {kDialogPos, "Edit_Y", [](Settings& s) -> std::int32_t& { return s.offsets.edit.y; }},
    {kDialogPos, "Light_X", [](Settings& s) -> std::int32_t& { return s.offsets.light.x; }},
    {kDialogPos, "Light_Y", [](Settings& s) -> std::int32_t& { return s.offsets.light.y; }},
    {kDialogPos, "3DWin_X", [](Settings& s) -> std::int32_t& { return s.offsets.window3d.x; },
     kAnyValue, kNoMaximum, [](Settings& s) -> std::int32_t& { return s.offsets.light.x; }},
    {kDialogPos, "3DWin_Y", [](Settings& s) -> std::int32_t& { return s.offsets.window3d.y; },
     kAnyValue, kNoMaximum, [](Settings& s) -> std::int32_t& { return s.offsets.light.y; }},
    {kSystemCondition, "wire_detail", [](Settings& s) -> std::int32_t& { return s.wireDetail; }},
}};

// The renderer's option bytes and their ranges.
struct ByteKey {
    const char* key;
    std::uint8_t Settings::*field;
    std::int32_t first;
    std::int32_t last;
};

constexpr std::array<ByteKey, 2> kByteKeys{{
    {"zbuf_flag", &Settings::zbufFlag, 1, 4},
    {"cbuf_flag", &Settings::cbufFlag, 1, 6},
}};

// The file a Windows user copied over keeps the case it had there ("rovora_z.ini"); the
// platform never told the names apart, so reading and writing back both go to that file.
std::filesystem::path existingFile(const std::filesystem::path& path) {
    const std::string found = platform::resolveExistingPath(path.string());
    return found.empty() ? path : std::filesystem::path(found);
}

}  // namespace

Settings readSettings(const std::filesystem::path& path, platform::MessageService& msg) {
    const platform::IniFile ini = platform::IniFile::load(existingFile(path));
    Settings s;
    for (const ByteKey& k : kByteKeys) {
        const std::int32_t v = ini.getInt(kSystemSetting, k.key, s.*k.field);
        if (v >= k.first && v <= k.last) s.*k.field = static_cast<std::uint8_t>(v);
    }
    for (const IntKey& k : kIntKeys) {
        std::int32_t& field = k.field(s);
        const std::int32_t fallback = k.defaultFrom != nullptr ? k.defaultFrom(s) : field;
        const std::int32_t v = ini.getInt(k.section, k.key, fallback);
        field = v >= k.minimum ? v : fallback;
        if (v > k.maximum) {
            msg.formatBuffer(kAboveMaximum, k.key, v, k.maximum);
            msg.diagnostic(msg.buffer());
            field = k.maximum;
        }
    }
    // The switch is a yes or no; anything else is taken as the usual dense lines.
    if (s.wireDetail != 0) s.wireDetail = 1;
    s.vrmlViewer = ini.getString(kOptionTool, kVrmlViewerKey, s.vrmlViewer, kVrmlViewerMax);
    return s;
}

Settings readSettings(const std::filesystem::path& path) {
    platform::NullSink quiet;
    platform::MessageService msg(quiet);
    return readSettings(path, msg);
}

bool writeSettings(const std::filesystem::path& path, const Settings& settings) {
    const std::filesystem::path target = existingFile(path);
    platform::IniFile ini = platform::IniFile::load(target);
    // The key table hands out fields for filling; writing works on a copy of its own.
    Settings s = settings;
    for (const ByteKey& k : kByteKeys) ini.setInt(kSystemSetting, k.key, s.*k.field);
    for (const IntKey& k : kIntKeys) ini.setInt(k.section, k.key, k.field(s));
    const std::string_view viewer = s.vrmlViewer;
    ini.set(kOptionTool, kVrmlViewerKey, viewer.substr(0, kVrmlViewerMax));
    return ini.save(target);
}

std::filesystem::path settingsPath(const std::string& iniOverride, const char* xdgConfigHome,
                                   const char* home) {
    if (!iniOverride.empty()) return iniOverride;
    std::filesystem::path base;
    // Relative values are to be ignored, so the file does not move with the current folder.
    if (xdgConfigHome != nullptr && xdgConfigHome[0] == '/') {
        base = xdgConfigHome;
    } else if (home != nullptr && home[0] != '\0') {
        base = std::filesystem::path(home) / ".config";
    } else {
        base = ".config";
    }
    return base / "rovora_z" / kSettingsFileName;
}

std::filesystem::path settingsPath(const std::string& iniOverride) {
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] == '\0') {
        // Services started without a login environment still have a password entry.
        if (const passwd* pw = ::getpwuid(::getuid()); pw != nullptr) home = pw->pw_dir;
    }
    return settingsPath(iniOverride, std::getenv("XDG_CONFIG_HOME"), home);
}

}  // namespace rz::db
