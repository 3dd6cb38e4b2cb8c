// The front end's start-up: settings from the --ini file or the configuration folder decide
// what the next run accepts, and a headless run never writes the file.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "app/start_actions.hpp"
#include "platform/recording_sink.hpp"
#include "workstation/workstation.hpp"

namespace rz::test {
namespace {

namespace fs = std::filesystem;

constexpr const char* kScriptTooLong =
    "ERROR:  メモリ領域の「確保」に失敗しました！  ... in newExecSub()\n";

class StartupFiles : public ::testing::Test {
  protected:
    StartupFiles() {
        std::string pattern = (fs::temp_directory_path() / "rovora_start_XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) dir = pattern;
    }
    ~StartupFiles() override {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }

    fs::path write(const std::string& name, const std::string& text) const {
        const fs::path p = dir / name;
        fs::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << text;
        return p;
    }
    // A script of exactly this many bytes that prints "fits".
    fs::path script(const std::string& name, std::size_t bytes) const {
        std::string text = "print \"fits\";\n'";
        text.resize(bytes - 1, 'x');
        return write(name, text + "\n");
    }

    fs::path dir;
};

// A session as rovora_z starts it.
struct Started {
    explicit Started(const std::string& ini) {
        app::CommandLine cl;
        cl.iniFile = ini;
        session.start(app::startupSettings(cl, session.msg));
    }
    // The boxes and status texts a script run shows.
    std::vector<std::string> run(const fs::path& script) {
        sink.clear();
        app::runScriptFile(session, script.string());
        std::vector<std::string> shown = sink.boxes();
        for (const std::string& s : sink.statuses()) shown.push_back(s);
        return shown;
    }
    platform::RecordingSink sink;
    workstation::Workstation session{sink};
};

TEST_F(StartupFiles, SmallerCapacitiesTakeEffectAtTheNextStart) {
    const fs::path fits = script("fits.sub", 1000);
    const fs::path tooLong = script("long.sub", 1001);

    Started before((dir / "none.ini").string());
    EXPECT_EQ(before.session.db.blocks.size(), 1000u);
    EXPECT_EQ(before.run(tooLong), std::vector<std::string>{"fits\n"});

    const fs::path ini = write("small.ini", "[System Setting]\r\nblockmax=3\r\nscriptmax=1000\r\n");
    Started after(ini.string());
    EXPECT_EQ(after.session.settings.capacity.blockmax, 3);
    EXPECT_EQ(after.session.db.blocks.size(), 3u);
    EXPECT_EQ(after.session.db.capacity.scriptmax, 1000);
    EXPECT_EQ(after.run(fits), std::vector<std::string>{"fits\n"});
    EXPECT_EQ(after.run(tooLong), std::vector<std::string>{kScriptTooLong});
    // The other capacities keep their defaults.
    EXPECT_EQ(after.session.db.axes.size(), 26000u);
}

TEST_F(StartupFiles, HeadlessStartReadsButNeverWrites) {
    const fs::path missing = dir / "ROVORA_Z.INI";
    {
        Started s(missing.string());
        EXPECT_EQ(s.session.settings.window.width, 640);
    }
    EXPECT_FALSE(fs::exists(missing));

    const std::string text = "[System Position]\nXmax=800\n";
    const fs::path ini = write("kept.ini", text);
    {
        Started s(ini.string());
        EXPECT_EQ(s.session.settings.window.width, 800);
    }
    std::ifstream f(ini, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(f), {}), text);
}

TEST_F(StartupFiles, WithoutIniTheConfigurationFolderIsRead) {
    write("config/rovora_z/ROVORA_Z.INI", "[System Setting]\nblockmax=5\n");
    const char* old = std::getenv("XDG_CONFIG_HOME");
    const std::optional<std::string> saved = old ? std::optional<std::string>(old) : std::nullopt;
    ::setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
    {
        Started s("");
        EXPECT_EQ(s.session.db.blocks.size(), 5u);
    }
    if (saved) {
        ::setenv("XDG_CONFIG_HOME", saved->c_str(), 1);
    } else {
        ::unsetenv("XDG_CONFIG_HOME");
    }
}

}  // namespace
}  // namespace rz::test
