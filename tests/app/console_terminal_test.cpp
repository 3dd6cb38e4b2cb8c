// The console as a person at a terminal meets it, through a pseudo-terminal: typing,
// history across runs, completion, Ctrl-C and Ctrl-D. Every wait has a time limit, so a
// console that stops answering fails the test instead of hanging it.
#include <gtest/gtest.h>

#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace rz::test {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr std::string_view kUp = "\x1b[A";
constexpr std::string_view kCtrlC = "\x03";
constexpr std::string_view kCtrlD = "\x04";

// A folder of its own for each test: the history lives there.
class StateFolder {
  public:
    explicit StateFolder(const std::string& name)
        : path_(std::filesystem::temp_directory_path() /
                ("rz_console_" + name + "_" + std::to_string(::getpid()))) {
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~StateFolder() { std::filesystem::remove_all(path_); }
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

// rovora_z --headless on the far side of a pseudo-terminal.
class TerminalSession {
  public:
    explicit TerminalSession(const std::filesystem::path& home) {
        // Everything the child needs is made before the fork.
        const std::vector<std::string> env = {
            "HOME=" + home.string(), "XDG_STATE_HOME=" + (home / "state").string(),
            "XDG_CONFIG_HOME=/nonexistent", "TERM=xterm", "LANG=C.UTF-8"};
        std::vector<char*> envp;
        for (const std::string& e : env) envp.push_back(const_cast<char*>(e.c_str()));
        envp.push_back(nullptr);
        std::array<char*, 3> argv = {const_cast<char*>("rovora_z"), const_cast<char*>("--headless"),
                                     nullptr};
        winsize size{};
        size.ws_row = 24;
        size.ws_col = 80;
        pid_ = ::forkpty(&master_, nullptr, nullptr, &size);
        if (pid_ == 0) {
            ::execve(ROVORA_Z_PATH, argv.data(), envp.data());
            ::_exit(127);
        }
    }
    ~TerminalSession() {
        if (pid_ > 0 && !exited_) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        if (master_ >= 0) ::close(master_);
    }
    TerminalSession(const TerminalSession&) = delete;
    TerminalSession& operator=(const TerminalSession&) = delete;

    bool started() const { return pid_ > 0 && master_ >= 0; }

    void type(std::string_view keys) {
        while (!keys.empty()) {
            const ssize_t n = ::write(master_, keys.data(), keys.size());
            if (n <= 0) return;
            keys.remove_prefix(static_cast<std::size_t>(n));
        }
    }

    // Reads until text shows after what was awaited before, or the time is up.
    bool await(std::string_view text, std::chrono::milliseconds limit = 10s) {
        const auto end = Clock::now() + limit;
        for (;;) {
            const std::size_t at = output_.find(text, seen_);
            if (at != std::string::npos) {
                seen_ = at + text.size();
                return true;
            }
            if (!readFor(end)) return false;
        }
    }

    // The exit status once the program has ended, or -1 when it did not end in time.
    int exitStatus(std::chrono::milliseconds limit = 10s) {
        const auto end = Clock::now() + limit;
        while (Clock::now() < end) {
            int status = 0;
            if (::waitpid(pid_, &status, WNOHANG) == pid_) {
                exited_ = true;
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
            readFor(Clock::now() + 50ms);
        }
        return -1;
    }

    const std::string& output() const { return output_; }

  private:
    // Takes in what the program wrote; false once the time is up or the terminal is closed.
    bool readFor(Clock::time_point end) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now());
        if (left.count() <= 0) return false;
        pollfd p{master_, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(left.count())) <= 0) return false;
        std::array<char, 4096> buf{};
        const ssize_t n = ::read(master_, buf.data(), buf.size());
        if (n <= 0) {
            std::this_thread::sleep_for(10ms);
            return Clock::now() < end;
        }
        output_.append(buf.data(), static_cast<std::size_t>(n));
        return true;
    }

    pid_t pid_ = -1;
    int master_ = -1;
    bool exited_ = false;
    std::string output_;
    std::size_t seen_ = 0;
};

TEST(ConsoleTerminal, RunsTypedLinesAndEndsOnCtrlD) {
    struct Case {
        std::string line;
        std::string shows;
        int status;
    };
    const std::vector<Case> cases = {
        {"var a; a = 1 + 2 * 3; print \"a=\", a\r", "a= 7.000000", 0},
        {"nop 1\r", "ERROR Occured! in execution.", 1},
    };
    for (const Case& c : cases) {
        const StateFolder home("typed");
        TerminalSession s(home.path());
        ASSERT_TRUE(s.started());
        ASSERT_TRUE(s.await("rovora_z> ")) << s.output();
        s.type(c.line);
        EXPECT_TRUE(s.await(c.shows)) << s.output();
        EXPECT_TRUE(s.await("rovora_z> ")) << s.output();
        s.type(kCtrlD);
        EXPECT_EQ(s.exitStatus(), c.status) << s.output();
    }
}

TEST(ConsoleTerminal, RecallsTheLastRunsLinesWithTheUpArrow) {
    const StateFolder home("history");
    {
        TerminalSession s(home.path());
        ASSERT_TRUE(s.await("rovora_z> ")) << s.output();
        s.type("print 6 * 7\r");
        ASSERT_TRUE(s.await(" 42.000000")) << s.output();
        ASSERT_TRUE(s.await("rovora_z> ")) << s.output();
        s.type(kCtrlD);
        ASSERT_EQ(s.exitStatus(), 0) << s.output();
    }
    EXPECT_TRUE(std::filesystem::exists(home.path() / "state" / "rovora_z" / "history"));
    TerminalSession s(home.path());
    ASSERT_TRUE(s.await("rovora_z> ")) << s.output();
    s.type(kUp);
    EXPECT_TRUE(s.await("print 6 * 7")) << s.output();
    s.type("\r");
    EXPECT_TRUE(s.await(" 42.000000")) << s.output();
}

TEST(ConsoleTerminal, TabCompletesAndCtrlCClearsTheLine) {
    const StateFolder home("complete");
    TerminalSession s(home.path());
    ASSERT_TRUE(s.await("rovora_z> ")) << s.output();
    // The choices are listed, then the line comes again with the first of them in it.
    s.type("set.win\t");
    EXPECT_TRUE(s.await("set.winfact  set.wingrid")) << s.output();
    EXPECT_TRUE(s.await("rovora_z> set.winfact")) << s.output();
    // Cleared, the completed word is not run with the next line.
    s.type(kCtrlC);
    s.type("print 5\r");
    EXPECT_TRUE(s.await(" 5.000000")) << s.output();
    EXPECT_EQ(s.output().find("[ERROR"), std::string::npos) << s.output();
    s.type(kCtrlD);
    EXPECT_EQ(s.exitStatus(), 0) << s.output();
}

TEST(ConsoleTerminal, CtrlCStopsALongCommandAndTheConsoleGoesOn) {
    const StateFolder home("interrupt");
    const std::filesystem::path script = home.path() / "spin.sub";
    std::ofstream(script) << "nop\n";
    TerminalSession s(home.path());
    ASSERT_TRUE(s.await("rovora_z> ")) << s.output();
    // Two thousand million runs of the script: far longer than any time limit here.
    s.type("newexec \"" + script.string() + "\", 2000000000\r");
    ASSERT_TRUE(s.await("2000000000\r\n")) << s.output();
    // Until the line has left the editor, Ctrl-C is still a key; ask again if need be.
    bool stopped = false;
    for (int i = 0; i < 5 && !stopped; ++i) {
        std::this_thread::sleep_for(200ms);
        s.type(kCtrlC);
        stopped = s.await("** Interrupted **", 2s);
    }
    ASSERT_TRUE(stopped) << s.output();
    s.type("print 7\r");
    EXPECT_TRUE(s.await(" 7.000000")) << s.output();
    s.type(kCtrlD);
    // Stopping is no error.
    EXPECT_EQ(s.exitStatus(), 0) << s.output();
}

}  // namespace
}  // namespace rz::test
