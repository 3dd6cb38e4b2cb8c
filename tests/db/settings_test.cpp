// The settings file: every section, key and default, values no store could work with, a
// complete write and read, and where the file lives.
#include "db/settings.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <type_traits>

#include "platform/ini_file.hpp"
#include "platform/message_service.hpp"
#include "platform/recording_sink.hpp"

namespace rz::test {
namespace {

namespace fs = std::filesystem;

struct Key {
    const char* section;
    const char* key;
    std::int32_t defaultValue;
    std::int32_t sample;  // a value of its own, valid for the key
    std::int64_t (*get)(const db::Settings&);
    void (*set)(db::Settings&, std::int32_t);
};

#define FIELD(member)                                                           \
    [](const db::Settings& s) -> std::int64_t { return s.member; },             \
        [](db::Settings& s, std::int32_t v) {                                   \
            s.member = static_cast<std::remove_cvref_t<decltype(s.member)>>(v); \
        }

// Every integer key of the file with its default.
const Key kKeys[] = {
    {"System Setting", "zbuf_flag", 2, 4, FIELD(zbufFlag)},
    {"System Setting", "cbuf_flag", 1, 6, FIELD(cbufFlag)},
    {"System Setting", "axismax", 26000, 30001, FIELD(capacity.axismax)},
    {"System Setting", "patchmax", 22000, 30002, FIELD(capacity.patchmax)},
    {"System Setting", "shapemax", 4000, 30003, FIELD(capacity.shapemax)},
    {"System Setting", "affinemax", 4000, 30004, FIELD(capacity.affinemax)},
    {"System Setting", "attrimax", 1500, 30005, FIELD(capacity.attrimax)},
    {"System Setting", "mapinfomax", 2000, 30006, FIELD(capacity.mapinfomax)},
    {"System Setting", "maplistmax", 4000, 30007, FIELD(capacity.maplistmax)},
    {"System Setting", "mapdatamax", 100, 30008, FIELD(capacity.mapdatamax)},
    {"System Setting", "mapimagemax", 2457600, 30009, FIELD(capacity.mapimagemax)},
    {"System Setting", "blockmax", 1000, 30010, FIELD(capacity.blockmax)},
    {"System Setting", "rigidmax", 1000, 30011, FIELD(capacity.rigidmax)},
    {"System Setting", "rlinkmax", 2000, 30012, FIELD(capacity.rlinkmax)},
    {"System Setting", "actormax", 100, 30013, FIELD(capacity.actormax)},
    {"System Setting", "scriptmax", 128000, 30014, FIELD(capacity.scriptmax)},
    {"System Backup", "backup", 0, 7, FIELD(backup)},
    {"System Position", "Xpos", 0, -8, FIELD(window.x)},
    {"System Position", "Ypos", 0, 9, FIELD(window.y)},
    {"System Position", "Xmax", 640, 1920, FIELD(window.width)},
    {"System Position", "Ymax", 480, 1080, FIELD(window.height)},
    {"System Position", "SizeType", 0, 2, FIELD(window.sizeType)},
    {"Dialog Info", "Material", 0, 1, FIELD(shown.material)},
    {"Dialog Info", "Mapping", 0, 2, FIELD(shown.mapping)},
    {"Dialog Info", "Camera", 0, 3, FIELD(shown.camera)},
    {"Dialog Info", "Select", 0, 4, FIELD(shown.select)},
    {"Dialog Info", "Light", 0, 5, FIELD(shown.light)},
    {"Dialog Pos", "Material_X", 0, 11, FIELD(offsets.material.x)},
    {"Dialog Pos", "Material_Y", 0, 12, FIELD(offsets.material.y)},
    {"Dialog Pos", "Mapping_X", 0, 13, FIELD(offsets.mapping.x)},
    {"Dialog Pos", "Mapping_Y", 0, 14, FIELD(offsets.mapping.y)},
    {"Dialog Pos", "Camera_X", 0, 15, FIELD(offsets.camera.x)},
    {"Dialog Pos", "Camera_Y", 0, 16, FIELD(offsets.camera.y)},
    {"Dialog Pos", "Select_X", 0, 17, FIELD(offsets.select.x)},
    {"Dialog Pos", "Select_Y", 0, 18, FIELD(offsets.select.y)},
    {"Dialog Pos", "Edit_X", 0, 19, FIELD(offsets.edit.x)},
    {"Dialog Pos", "Edit_Y", 0, -20, FIELD(offsets.edit.y)},
    {"Dialog Pos", "Light_X", 0, 21, FIELD(offsets.light.x)},
    {"Dialog Pos", "Light_Y", 0, 22, FIELD(offsets.light.y)},
    {"Dialog Pos", "3DWin_X", 0, 23, FIELD(offsets.window3d.x)},
    {"Dialog Pos", "3DWin_Y", 0, 24, FIELD(offsets.window3d.y)},
    {"System Condition", "wire_detail", 1, 0, FIELD(wireDetail)},
};

class TempDir {
  public:
    TempDir() {
        std::string pattern = (fs::temp_directory_path() / "rovora_settings_XXXXXX").string();
        path_ = ::mkdtemp(pattern.data()) != nullptr ? fs::path(pattern) : fs::path();
    }
    ~TempDir() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    fs::path file(const std::string& text) const {
        const fs::path p = path_ / "ROVORA_Z.INI";
        std::ofstream(p, std::ios::binary) << text;
        return p;
    }
    const fs::path& path() const { return path_; }

  private:
    fs::path path_;
};

TEST(Settings, NoFileGivesEveryDefault) {
    const db::Settings s = db::readSettings("/nonexistent/rovora_z/ROVORA_Z.INI");
    for (const Key& k : kKeys) EXPECT_EQ(k.get(s), k.defaultValue) << k.key;
    EXPECT_EQ(s.vrmlViewer, "DIDEDORE.EXE");
}

TEST(Settings, EveryKeyIsRead) {
    // Written on Windows: CR LF, and names in whatever case the user typed them.
    std::string text;
    std::string section;
    for (const Key& k : kKeys) {
        if (section != k.section) {
            section = k.section;
            text += "[" + section + "]\r\n";
        }
        text += k.key + std::string("=") + std::to_string(k.sample) + "\r\n";
    }
    text += "[optiontool]\r\nVRML-Viewer=C:\\VIEW\\VRWEB.EXE\r\n";
    TempDir dir;
    const db::Settings s = db::readSettings(dir.file(text));
    for (const Key& k : kKeys) EXPECT_EQ(k.get(s), k.sample) << k.key;
    EXPECT_EQ(s.vrmlViewer, "C:\\VIEW\\VRWEB.EXE");
}

TEST(Settings, WindowOf3DDefaultsToTheLightWindow) {
    TempDir dir;
    const db::Settings s = db::readSettings(dir.file("[Dialog Pos]\nLight_X=30\nLight_Y=-40\n"));
    EXPECT_EQ(s.offsets.window3d.x, 30);
    EXPECT_EQ(s.offsets.window3d.y, -40);
    const db::Settings own =
        db::readSettings(dir.file("[Dialog Pos]\nLight_X=30\nLight_Y=40\n3DWin_Y=5\n"));
    EXPECT_EQ(own.offsets.window3d.x, 30);
    EXPECT_EQ(own.offsets.window3d.y, 5);
}

TEST(Settings, ValuesNothingCouldWorkWithGiveTheDefault) {
    struct Case {
        const char* line;
        const char* key;
        std::int64_t expected;
    };
    const Case cases[] = {
        {"[System Setting]\naxismax=-5", "axismax", 26000},
        {"[System Setting]\nblockmax=0", "blockmax", 1000},
        {"[System Setting]\nblockmax=lots", "blockmax", 1000},
        {"[System Setting]\nblockmax=1", "blockmax", 1},
        {"[System Setting]\nactormax=0", "actormax", 100},
        {"[System Setting]\nattrimax=1", "attrimax", 1500},
        {"[System Setting]\nattrimax=2", "attrimax", 2},
        {"[System Setting]\nmapinfomax=1", "mapinfomax", 2000},
        {"[System Setting]\nscriptmax=-1", "scriptmax", 128000},
        {"[System Setting]\nscriptmax=0", "scriptmax", 0},
        {"[System Setting]\nmapimagemax=0", "mapimagemax", 0},
        {"[System Setting]\naxismax=4294967297", "axismax", 1},
        {"[System Setting]\nzbuf_flag=0", "zbuf_flag", 2},
        {"[System Setting]\nzbuf_flag=5", "zbuf_flag", 2},
        {"[System Setting]\nzbuf_flag=258", "zbuf_flag", 2},
        {"[System Setting]\ncbuf_flag=7", "cbuf_flag", 1},
        {"[System Setting]\ncbuf_flag=-1", "cbuf_flag", 1},
        {"[System Condition]\nwire_detail=5", "wire_detail", 1},
        {"[System Position]\nXpos=-20", "Xpos", -20},
        {"[Dialog Pos]\nCamera_X=5000", "Camera_X", 5000},
    };
    TempDir dir;
    for (const Case& c : cases) {
        const db::Settings s = db::readSettings(dir.file(c.line));
        const Key* key = nullptr;
        for (const Key& k : kKeys)
            if (std::string(k.key) == c.key) key = &k;
        ASSERT_NE(key, nullptr) << c.key;
        EXPECT_EQ(key->get(s), c.expected) << c.line;
    }
}

TEST(Settings, CapacitiesAboveTheirMaximumAreCutToItAndReported) {
    db::Settings maxima;
    maxima.capacity = db::kCapacityMaxima;
    TempDir dir;
    for (const Key& k : kKeys) {
        if (std::string_view(k.section) != "System Setting" ||
            !std::string_view(k.key).ends_with("max"))
            continue;
        const std::int64_t maximum = k.get(maxima);
        for (const std::int64_t asked : {maximum, maximum + 1, std::int64_t{INT32_MAX}}) {
            const std::string line = std::string(k.key) + "=" + std::to_string(asked);
            platform::RecordingSink sink;
            platform::MessageService msg(sink);
            const db::Settings s = db::readSettings(dir.file("[System Setting]\n" + line), msg);
            EXPECT_EQ(k.get(s), maximum) << line;
            if (asked == maximum) {
                EXPECT_TRUE(sink.log.empty()) << line;
                continue;
            }
            ASSERT_EQ(sink.log.size(), 1u) << line;
            EXPECT_EQ(sink.log[0].kind, platform::RecordedMessage::Kind::Diagnostic);
            EXPECT_EQ(sink.log[0].text, "WARNING!!: 設定値 " + line + " が上限 " +
                                            std::to_string(maximum) +
                                            " を超えています。（修正済）\n");
        }
    }
}

TEST(Settings, ViewerNameIsCutTo253Characters) {
    TempDir dir;
    const std::string longName(300, 'v');
    const db::Settings s = db::readSettings(dir.file("[OptionTool]\nvrml-viewer=" + longName));
    EXPECT_EQ(s.vrmlViewer, longName.substr(0, 253));
}

TEST(Settings, WriteThenReadGivesBackEveryKey) {
    db::Settings written;
    for (const Key& k : kKeys) k.set(written, k.sample);
    written.vrmlViewer = "/usr/bin/view3dscene";
    TempDir dir;
    const fs::path file = dir.file("; mine\n[System Setting]\nkeep=this\n");
    ASSERT_TRUE(db::writeSettings(file, written));

    const db::Settings read = db::readSettings(file);
    for (const Key& k : kKeys) EXPECT_EQ(k.get(read), k.sample) << k.key;
    EXPECT_EQ(read.vrmlViewer, "/usr/bin/view3dscene");

    // Each key under its own section and with its own spelling, and nothing lost.
    const platform::IniFile ini = platform::IniFile::load(file);
    for (const Key& k : kKeys)
        EXPECT_EQ(ini.value(k.section, k.key), std::to_string(k.sample)) << k.key;
    EXPECT_EQ(ini.value("OptionTool", "vrml-viewer"), "/usr/bin/view3dscene");
    EXPECT_EQ(ini.value("System Setting", "keep"), "this");
    const std::string text = ini.text();
    EXPECT_EQ(text.rfind("; mine\n", 0), 0u);
    EXPECT_NE(text.find("\n3DWin_X=23\n"), std::string::npos);
    EXPECT_NE(text.find("\nzbuf_flag=4\n"), std::string::npos);
}

TEST(Settings, DefaultsWrittenToANewFileReadBackAsDefaults) {
    TempDir dir;
    const fs::path file = dir.path() / "new" / "ROVORA_Z.INI";
    ASSERT_TRUE(db::writeSettings(file, db::Settings{}));
    const db::Settings s = db::readSettings(file);
    for (const Key& k : kKeys) EXPECT_EQ(k.get(s), k.defaultValue) << k.key;
    EXPECT_EQ(s.vrmlViewer, "DIDEDORE.EXE");
}

TEST(Settings, AFileNamedInAnotherCaseIsReadAndWrittenBack) {
    TempDir dir;
    const fs::path lower = dir.path() / "rovora_z.ini";
    std::ofstream(lower, std::ios::binary) << "[System Setting]\r\nblockmax=77\r\n";
    const fs::path asNamed = dir.path() / "ROVORA_Z.INI";

    const db::Settings s = db::readSettings(asNamed);
    EXPECT_EQ(s.capacity.blockmax, 77);

    db::Settings changed = s;
    changed.capacity.blockmax = 88;
    ASSERT_TRUE(db::writeSettings(asNamed, changed));
    EXPECT_FALSE(fs::exists(asNamed));
    EXPECT_EQ(platform::IniFile::load(lower).getInt("System Setting", "blockmax", 0), 88);
    EXPECT_EQ(db::readSettings(asNamed).capacity.blockmax, 88);

    // Two candidates: neither is taken, and a write makes the file under its own name.
    std::ofstream(dir.path() / "Rovora_Z.ini", std::ios::binary)
        << "[System Setting]\nblockmax=99\n";
    EXPECT_EQ(db::readSettings(asNamed).capacity.blockmax, 1000);
    ASSERT_TRUE(db::writeSettings(asNamed, changed));
    EXPECT_TRUE(fs::exists(asNamed));
    EXPECT_EQ(db::readSettings(asNamed).capacity.blockmax, 88);
}

TEST(SettingsPath, OverrideThenXdgThenHome) {
    struct Case {
        const char* ini;
        const char* xdg;
        const char* home;
        const char* expected;
    };
    const Case cases[] = {
        {"my.ini", "/xdg", "/home/u", "my.ini"},
        {"", "/xdg", "/home/u", "/xdg/rovora_z/ROVORA_Z.INI"},
        {"", nullptr, "/home/u", "/home/u/.config/rovora_z/ROVORA_Z.INI"},
        {"", "", "/home/u", "/home/u/.config/rovora_z/ROVORA_Z.INI"},
        {"", "relative/dir", "/home/u", "/home/u/.config/rovora_z/ROVORA_Z.INI"},
        {"", nullptr, nullptr, ".config/rovora_z/ROVORA_Z.INI"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(db::settingsPath(c.ini, c.xdg, c.home), fs::path(c.expected))
            << (c.xdg ? c.xdg : "(unset)");
}

}  // namespace
}  // namespace rz::test
