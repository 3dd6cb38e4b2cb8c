// The console as a person at a terminal meets it, through a pseudo-terminal. Every wait has
// a time limit, so a console that stops answering fails the test instead of hanging it.
#include <gtest/gtest.h>

#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace rz::test {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// rovora_z --headless on a pseudo-terminal, its home and history in dir.
class TerminalSession {
  public:
    explicit TerminalSession(const std::filesystem::path& dir) {
        // Everything the child needs is made before the fork.
        const std::vector<std::string> env = {"HOME=" + dir.string(),
                                              "XDG_STATE_HOME=" + (dir / "state").string(),
                                              "XDG_CONFIG_HOME=/nonexistent", "TERM=xterm"};
        std::vector<char*> envp;
        for (const std::string& e : env) envp.push_back(const_cast<char*>(e.c_str()));
        envp.push_back(nullptr);
        std::array<const char*, 3> argv = {"rovora_z", "--headless", nullptr};
        winsize size{24, 80, 0, 0};
        pid_ = ::forkpty(&master_, nullptr, nullptr, &size);
        if (pid_ == 0) {
            ::execve(ROVORA_Z_PATH, const_cast<char**>(argv.data()), envp.data());
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

    void type(const std::string& keys) {
        ASSERT_EQ(::write(master_, keys.data(), keys.size()), static_cast<ssize_t>(keys.size()));
    }

    // Reads until text shows after what was awaited before, or the time is up.
    bool await(const std::string& text, std::chrono::milliseconds limit = 10s) {
        const auto end = Clock::now() + limit;
        while (output.find(text, seen_) == std::string::npos)
            if (!readUntil(end)) return false;
        seen_ = output.find(text, seen_) + text.size();
        return true;
    }

    // The prompt, with the terminal in the line editor's hands: keys typed while a command
    // runs are the terminal's (an early Ctrl-D would be its end of input).
    bool awaitPrompt() {
        if (!await("rovora_z> ")) return false;
        const auto end = Clock::now() + 10s;
        termios t{};
        while (::tcgetattr(master_, &t) == 0 && (t.c_lflag & ICANON) != 0 && Clock::now() < end)
            std::this_thread::sleep_for(5ms);
        return (t.c_lflag & ICANON) == 0;
    }

    // The exit status once the program has ended; -1 when it did not end in time.
    int exitStatus() {
        const auto end = Clock::now() + 10s;
        int status = 0;
        while (::waitpid(pid_, &status, WNOHANG) != pid_)
            if (!readUntil(std::min(end, Clock::now() + 50ms)) && Clock::now() >= end) return -1;
        exited_ = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    std::string output;

  private:
    // Takes in what the program wrote; false when nothing came before end.
    bool readUntil(Clock::time_point end) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(end - Clock::now());
        pollfd p{master_, POLLIN, 0};
        if (left.count() <= 0 || ::poll(&p, 1, static_cast<int>(left.count())) <= 0) return false;
        std::array<char, 4096> buf{};
        const ssize_t n = ::read(master_, buf.data(), buf.size());
        if (n <= 0) {
            std::this_thread::sleep_for(10ms);  // the program has closed the terminal
            return false;
        }
        output.append(buf.data(), static_cast<std::size_t>(n));
        return true;
    }

    pid_t pid_ = -1;
    int master_ = -1;
    bool exited_ = false;
    std::size_t seen_ = 0;
};

class ConsoleTerminal : public ::testing::Test {
  protected:
    ConsoleTerminal() {
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
    }
    ~ConsoleTerminal() override { std::filesystem::remove_all(dir); }
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("rz_console_" + std::to_string(::getpid()));
};

TEST_F(ConsoleTerminal, TypedLinesRunAndComeBackWithUpAfterARestart) {
    {
        TerminalSession s(dir);
        ASSERT_TRUE(s.awaitPrompt()) << s.output;
        s.type("print 6 * 7\r");
        ASSERT_TRUE(s.await(" 42.000000")) << s.output;
        ASSERT_TRUE(s.awaitPrompt()) << s.output;
        s.type("\x04");  // Ctrl-D at the empty prompt
        ASSERT_EQ(s.exitStatus(), 0) << s.output;
    }
    TerminalSession s(dir);
    ASSERT_TRUE(s.awaitPrompt()) << s.output;
    s.type("\x1b[A");
    EXPECT_TRUE(s.await("print 6 * 7")) << s.output;
    s.type("\r");
    EXPECT_TRUE(s.await(" 42.000000")) << s.output;
}

TEST_F(ConsoleTerminal, TabCompletesAndCtrlCClearsTheLineOrStopsTheCommand) {
    TerminalSession s(dir);
    ASSERT_TRUE(s.awaitPrompt()) << s.output;
    // The choices are listed, then the line comes again with the first of them in it.
    s.type("set.win\t");
    EXPECT_TRUE(s.await("set.winfact  set.wingrid")) << s.output;
    EXPECT_TRUE(s.await("rovora_z> set.winfact")) << s.output;
    // Cleared, the completed word does not run with the next line.
    s.type("\x03print 5\r");
    EXPECT_TRUE(s.await(" 5.000000")) << s.output;
    ASSERT_TRUE(s.awaitPrompt()) << s.output;

    // Two thousand million runs of a script: far longer than any time limit here.
    std::ofstream(dir / "spin.sub") << "nop\n";
    s.type("newexec \"" + (dir / "spin.sub").string() + "\", 2000000000\r");
    ASSERT_TRUE(s.await("2000000000\r\n")) << s.output;
    // Until the line has left the editor Ctrl-C is still a key there: ask again if need be.
    bool stopped = false;
    for (int i = 0; i < 5 && !stopped; ++i) {
        std::this_thread::sleep_for(200ms);
        s.type("\x03");
        stopped = s.await("** Interrupted **", 2s);
    }
    ASSERT_TRUE(stopped) << s.output;
    ASSERT_TRUE(s.awaitPrompt()) << s.output;
    s.type("print 7\r");
    EXPECT_TRUE(s.await(" 7.000000")) << s.output;
    ASSERT_TRUE(s.awaitPrompt()) << s.output;
    s.type("\x04");
    // Neither a cleared line nor a stopped command is an error.
    EXPECT_EQ(s.exitStatus(), 0) << s.output;
    EXPECT_EQ(s.output.find("[ERROR"), std::string::npos) << s.output;
}

}  // namespace
}  // namespace rz::test
