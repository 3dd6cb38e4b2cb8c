// The private-profile reader and writer: lookups as Windows programs always had them,
// rewriting that keeps what it does not know, and saving that never leaves half a file.
#include "platform/ini_file.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

namespace rz::platform {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

class TempDir {
  public:
    TempDir() {
        std::string pattern = (fs::temp_directory_path() / "rovora_ini_XXXXXX").string();
        path_ = ::mkdtemp(pattern.data()) != nullptr ? fs::path(pattern) : fs::path();
    }
    ~TempDir() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const fs::path& path() const { return path_; }

  private:
    fs::path path_;
};

std::string readFile(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

TEST(ProfileInt, ReadsLikeGetPrivateProfileInt) {
    struct Case {
        const char* text;
        std::int32_t expected;
    };
    const Case cases[] = {
        {"26000", 26000},
        {"  \t42", 42},
        {"+17", 17},
        {"-5", -5},
        {"-0", 0},
        {"12abc", 12},
        {"3.9", 3},
        {"1 000", 1},
        {"abc", 0},
        {"-", 0},
        {"+-3", 0},
        {"0x10", 0},
        {"2147483647", 2147483647},
        {"2147483648", -2147483647 - 1},
        {"4294967296", 0},
        {"4294967297", 1},
        {"-4294967297", -1},
        {"99999999999999999999", static_cast<std::int32_t>(1661992959u)},
    };
    for (const Case& c : cases) EXPECT_EQ(parseProfileInt(c.text), c.expected) << c.text;
}

TEST(IniRead, LookupsFollowTheProfileRules) {
    const IniFile ini = IniFile::parse(
        "\xEF\xBB\xBF; written by hand\r\n"
        "[System Setting]\r\n"
        "axismax=30000\r\n"
        "  BlockMax =  12  \r\n"
        "empty=\r\n"
        "noequals\r\n"
        "quoted=\"640\"\r\n"
        "quotedSingle='-5'\r\n"
        "quotedEmpty=\"\"\r\n"
        "halfQuoted=\"7\r\n"
        "axismax=1\r\n"
        "\r\n"
        "[ option tool ]\n"
        "vrml-viewer=\"C:\\Program Files\\view.exe\"\n"
        "single='x'\n"
        "odd=\"unclosed\n"
        "[broken\n"
        "after=1\n"
        "[system setting]\n"
        "scriptmax=5\n");
    struct Case {
        const char* section;
        const char* key;
        std::int32_t expected;
    };
    const Case ints[] = {
        {"System Setting", "axismax", 30000},    // the first of two keys wins
        {"SYSTEM SETTING", "AXISMAX", 30000},    // names match without case
        {"system setting", "blockmax", 12},      // blanks around names and values go
        {"System Setting", "empty", -7},         // an empty value is as good as missing
        {"System Setting", "noequals", -7},      // a line without "=" is no key
        {"System Setting", "quoted", 640},       // numbers are read after the quotes go,
        {"System Setting", "quotedsingle", -5},  // single ones too,
        {"System Setting", "quotedempty", -7},   // so "" is as good as missing
        {"System Setting", "halfquoted", 0},     // an unmatched quote stays and stops the digits
        {"System Setting", "missing", -7},
        {"Missing Section", "axismax", -7},
        {"System Setting", "scriptmax", -7},  // only the first section of a name counts
        {"Option Tool", "after", 1},          // "[broken" is no header...
        {"broken", "after", -7},
        {"Option Tool", "[broken", -7},  // ...nor a key
    };
    for (const Case& c : ints)
        EXPECT_EQ(ini.getInt(c.section, c.key, -7), c.expected) << c.section << "/" << c.key;

    EXPECT_EQ(ini.getString("option tool", "VRML-VIEWER", "none", 253),
              "C:\\Program Files\\view.exe");
    EXPECT_EQ(ini.getString("Option Tool", "single", "none", 253), "x");
    EXPECT_EQ(ini.getString("Option Tool", "odd", "none", 253), "\"unclosed");
    EXPECT_EQ(ini.getString("Option Tool", "missing", "DEFAULT.EXE", 253), "DEFAULT.EXE");
    EXPECT_EQ(ini.getString("Option Tool", "vrml-viewer", "", 5), "C:\\Pr");
    EXPECT_EQ(ini.value("System Setting", "empty"), std::optional<std::string_view>(""));
}

TEST(IniRead, MissingFileIsEmpty) {
    const IniFile ini = IniFile::load("/nonexistent/rovora/ROVORA_Z.INI");
    EXPECT_EQ(ini.getInt("System Setting", "axismax", 26000), 26000);
    EXPECT_EQ(ini.text(), "");
}

TEST(IniRead, OnlyARegularFileIsRead) {
    // A FIFO without a writer would block the open; a device may never end.
    TempDir dir;
    const fs::path fifo = dir.path() / "ROVORA_Z.INI";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const fs::path& p : {fs::path("/dev/zero"), fifo, dir.path()}) {
        const IniFile ini = IniFile::load(p);
        EXPECT_EQ(ini.getInt("System Setting", "axismax", 26000), 26000) << p;
        EXPECT_EQ(ini.text(), "") << p;
    }
}

TEST(IniRead, ArbitraryBytesNeverBreakTheReader) {
    std::mt19937 rng(1234);
    const std::string alphabet = "[]=;\"' \t\r\n\0ab9-+\xEF\xBB\xBF"s;
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        const int length = static_cast<int>(rng() % 200);
        for (int i = 0; i < length; ++i) text += alphabet[rng() % alphabet.size()];
        const IniFile ini = IniFile::parse(text);
        ini.getInt("a", "b", 0);
        ini.getString("a", "b", "", 253);
        // What the writer produces reads back to the same document.
        EXPECT_EQ(IniFile::parse(ini.text()).text(), ini.text());
    }
}

TEST(IniWrite, SetReplacesAddsAndKeepsTheRest) {
    IniFile ini = IniFile::parse(
        "; settings\n"
        "[System Setting]\n"
        "axismax=26000\n"
        "; capacities above\n"
        "unknown=keep me\n"
        "[Other]\n"
        "x=1\n");
    ini.setInt("system setting", "AXISMAX", 500);  // keeps the spelling already in the file
    ini.setInt("System Setting", "blockmax", -3);
    ini.set("OptionTool", "vrml-viewer", "VIEW.EXE");
    ini.set("Other", "line", "first\nsecond");  // a value can never split the line
    EXPECT_EQ(ini.text(),
              "; settings\n"
              "\n"
              "[System Setting]\n"
              "axismax=500\n"
              "; capacities above\n"
              "unknown=keep me\n"
              "blockmax=-3\n"
              "\n"
              "[Other]\n"
              "x=1\n"
              "line=first\n"
              "\n"
              "[OptionTool]\n"
              "vrml-viewer=VIEW.EXE\n");
    EXPECT_EQ(IniFile::parse(ini.text()).getInt("System Setting", "blockmax", 0), -3);
}

TEST(IniWrite, SaveCreatesFoldersAndReplacesTheFile) {
    TempDir dir;
    const fs::path target = dir.path() / "config" / "rovora_z" / "ROVORA_Z.INI";
    IniFile ini;
    ini.setInt("System Setting", "axismax", 1);
    ASSERT_TRUE(ini.save(target));
    EXPECT_EQ(readFile(target), "[System Setting]\naxismax=1\n");

    ini.setInt("System Setting", "axismax", 2);
    ASSERT_TRUE(ini.save(target));
    EXPECT_EQ(readFile(target), "[System Setting]\naxismax=2\n");
    // Nothing but the file itself is left in the folder.
    int entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(target.parent_path())) ++entries;
    EXPECT_EQ(entries, 1);
}

TEST(IniWrite, SaveFollowsALinkAndLeavesAWriteProtectedFileAlone) {
    TempDir dir;
    const fs::path real = dir.path() / "dotfiles" / "rovora.ini";
    fs::create_directories(real.parent_path());
    std::ofstream(real) << "[A]\nx=1\n";
    const fs::path link = dir.path() / "ROVORA_Z.INI";
    fs::create_symlink("dotfiles/rovora.ini", link);
    IniFile ini;
    ini.setInt("A", "x", 2);
    ASSERT_TRUE(ini.save(link));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(readFile(real), "[A]\nx=2\n");

    fs::permissions(real, fs::perms::owner_read | fs::perms::group_read);
    ini.setInt("A", "x", 3);
    EXPECT_FALSE(ini.save(link));
    EXPECT_EQ(readFile(real), "[A]\nx=2\n");
}

TEST(IniWrite, FailedSaveLeavesNothingBehind) {
    TempDir dir;
    const fs::path file = dir.path() / "ROVORA_Z.INI";
    std::ofstream(file) << "[A]\nx=1\n";
    fs::create_directories(dir.path() / "folder");
    IniFile ini;
    ini.setInt("A", "x", 2);
    // A folder cannot be replaced by a file, nor can a file hold a folder.
    EXPECT_FALSE(ini.save(dir.path() / "folder"));
    EXPECT_FALSE(ini.save(file / "ROVORA_Z.INI"));
    EXPECT_EQ(readFile(file), "[A]\nx=1\n");
    int entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir.path())) ++entries;
    EXPECT_EQ(entries, 2);
}

}  // namespace
}  // namespace rz::platform
