// What a user's files and settings can do to rovora_z, and what a save does to them: saves
// honour write protection, links and modes; reads turn down what is not a regular file
// instead of hanging; capacities in the settings cannot exhaust the machine.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>

namespace rz::test {
namespace {

namespace fs = std::filesystem;

constexpr const char* kCannotOpenWrite = "[ERROR Message!] ERROR:  ファイルが開かないよ！ \n";
constexpr const char* kNotFound = "[ERROR Message!] ERROR:  ファイルが見つかりませ～ん！ ";
// A hanging run is cut off after this long; timeout(1) then ends with status 124.
constexpr const char* kTimeLimit = "10";

struct Result {
    std::string out;
    int status = -1;
};

// A fresh folder that the program runs in.
class FileSafety : public ::testing::Test {
  protected:
    FileSafety() {
        std::string pattern = (fs::temp_directory_path() / "rovora_safety_XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) dir = pattern;
    }
    ~FileSafety() override {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }

    // Runs the shell commands, then the program with these arguments, in the folder.
    Result run(const std::string& setup, const std::string& args) const {
        const std::string cmd = "cd " + dir.string() + " && " + setup +
                                " && XDG_CONFIG_HOME=/nonexistent timeout " + kTimeLimit + " " +
                                ROVORA_Z_PATH + " --headless " + args + " 2>&1";
        Result r;
        std::FILE* p = ::popen(cmd.c_str(), "r");
        if (p == nullptr) return r;
        std::array<char, 4096> buf{};
        while (std::size_t n = std::fread(buf.data(), 1, buf.size(), p))
            r.out.append(buf.data(), n);
        const int st = ::pclose(p);
        r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
        return r;
    }
    // True when the shell condition holds in the folder.
    bool holds(const std::string& condition) const {
        return std::system(("cd " + dir.string() + " && " + condition).c_str()) == 0;
    }
    // Temporary files a save left behind.
    int leftovers() const {
        int n = 0;
        for (const auto& e : fs::recursive_directory_iterator(dir))
            if (e.path().filename().string().starts_with('.')) ++n;
        return n;
    }

    fs::path dir;
};

struct SaveCase {
    const char* what;
    const char* setup;
    const char* name;       // given to write
    bool saved;             // false: refused, with the could-not-open message
    const char* condition;  // what holds afterwards
    bool rootOnly = false;  // the setup gives a file away
};

// A camera script is saved under every name; its first line is "let c.pos ...".
constexpr SaveCase kSaves[] = {
    {"a new file takes the umask", "umask 027", "new.cam", true,
     "test $(stat -c %a new.cam) = 640 && grep -q c.pos new.cam"},
    {"the mode of the file stays", "echo old > m.cam && chmod 604 m.cam", "m.cam", true,
     "test $(stat -c %a m.cam) = 604 && grep -q c.pos m.cam"},
    {"the owner of the file stays", "echo old > o.cam && chown 65534:65534 o.cam", "o.cam", true,
     "test $(stat -c %u:%g o.cam) = 65534:65534 && grep -q c.pos o.cam", true},
    {"a link stays a link and its target changes", "echo old > real.cam && ln -s real.cam l.cam",
     "l.cam", true, "test -L l.cam && grep -q c.pos real.cam"},
    {"a chain of relative links across folders",
     "mkdir sub && echo old > sub/real.cam && ln -s real.cam sub/mid.cam && "
     "ln -s sub/mid.cam l.cam",
     "l.cam", true, "test -L l.cam && test -L sub/mid.cam && grep -q c.pos sub/real.cam"},
    {"a link to nothing gets its target made", "ln -s made.cam l.cam", "l.cam", true,
     "test -L l.cam && grep -q c.pos made.cam"},
    {"hard links keep sharing the file", "echo old > a.cam && ln a.cam b.cam && chmod 640 a.cam",
     "a.cam", true,
     "test a.cam -ef b.cam && grep -q c.pos b.cam && test $(stat -c %a:%h b.cam) = 640:2"},
    {"a write-protected file", "echo old > ro.cam && chmod 444 ro.cam", "ro.cam", false,
     "test $(cat ro.cam) = old && test $(stat -c %a ro.cam) = 444"},
    {"a write-protected file behind a link",
     "echo old > ro.cam && chmod 444 ro.cam && ln -s ro.cam l.cam", "l.cam", false,
     "test -L l.cam && test $(cat ro.cam) = old"},
    {"a write-protected hard-linked file",
     "echo old > ro.cam && ln ro.cam b.cam && chmod 444 b.cam", "ro.cam", false,
     "test $(cat b.cam) = old && test ro.cam -ef b.cam"},
    {"a link loop", "ln -s a.cam b.cam && ln -s b.cam a.cam", "a.cam", false,
     "test -L a.cam && test -L b.cam"},
};

TEST_F(FileSafety, SavesHonourWhatTheTargetIs) {
    for (const SaveCase& c : kSaves) {
        SCOPED_TRACE(c.what);
        if (c.rootOnly && ::geteuid() != 0) continue;
        fs::remove_all(dir);
        fs::create_directory(dir);
        const Result r = run(c.setup, "-e 'write \"" + std::string(c.name) + "\";'");
        if (c.saved) {
            EXPECT_EQ(r.status, 0) << r.out;
        } else {
            EXPECT_EQ(r.status, 1);
            EXPECT_EQ(r.out.rfind(kCannotOpenWrite, 0), 0u) << r.out;
            EXPECT_NE(r.out.find(" in write_() ( " + std::string(c.name) + " )\n"),
                      std::string::npos)
                << r.out;
        }
        EXPECT_TRUE(holds(c.condition)) << c.condition;
        EXPECT_EQ(leftovers(), 0);
    }
}

struct ReadCase {
    const char* what;
    const char* setup;
    const char* args;
};

constexpr ReadCase kReads[] = {
    {"exec of an endless device", "true", "-e 'exec \"/dev/zero\";'"},
    {"exec of a FIFO", "mkfifo f.sub", "-e 'exec \"f.sub\";'"},
    {"newexec of a FIFO", "mkfifo f.sub", "-e 'newexec \"f.sub\";'"},
    {"a script named on the command line that is a FIFO", "mkfifo f.txt", "f.txt"},
    {"read of a text file that is a FIFO", "mkfifo f.cam", "-e 'read \"f.cam\";'"},
    {"read of a binary file that is a FIFO", "mkfifo f.ptb", "-e 'read \"f.ptb\";'"},
    {"read of a grid model that is a FIFO", "mkfifo f.mdl", "-e 'mdlread \"f.mdl\";'"},
    {"read of a folder", "mkdir d.cam", "-e 'read \"d.cam\";'"},
};

TEST_F(FileSafety, ReadsTurnDownWhatIsNotARegularFile) {
    for (const ReadCase& c : kReads) {
        SCOPED_TRACE(c.what);
        fs::remove_all(dir);
        fs::create_directory(dir);
        const Result r = run(c.setup, c.args);
        EXPECT_EQ(r.status, 1) << r.out;  // 124 when it hung
        EXPECT_NE(r.out.find(kNotFound), std::string::npos) << r.out;
    }
}

TEST_F(FileSafety, AHugeCapacityIsCutToItsMaximum) {
    const Result r =
        run("printf '[System Setting]\\npatchmax=2000000000\\nblockmax=70000\\n' > big.ini",
            "--ini big.ini -e 'capa.block;'");
    EXPECT_EQ(r.status, 0) << r.out;  // 124 when start-up took too long
    EXPECT_NE(r.out.find("WARNING!!: 設定値 patchmax=2000000000 が上限 16777216 を超えています。"
                         "（修正済）\n"),
              std::string::npos)
        << r.out;
    // The maximum is used, not the default: 65536 blocks, one of them reserved.
    EXPECT_NE(r.out.find("残り登録数: 65535 "), std::string::npos) << r.out;
}

}  // namespace
}  // namespace rz::test
