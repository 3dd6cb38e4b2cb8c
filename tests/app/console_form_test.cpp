// The console form of the message services, byte for byte, as scripts and tests rely on it.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "platform/console_sink.hpp"
#include "platform/message_service.hpp"

namespace rz::test {
namespace {

std::string contents(std::FILE* f) {
    std::fflush(f);
    std::rewind(f);
    std::string out;
    for (int c = std::fgetc(f); c != EOF; c = std::fgetc(f)) out += static_cast<char>(c);
    return out;
}

struct Streams {
    Streams() : out(std::tmpfile()), err(std::tmpfile()), sink(out, err), msg(sink) {}
    ~Streams() {
        std::fclose(out);
        std::fclose(err);
    }
    std::FILE* out;
    std::FILE* err;
    platform::ConsoleSink sink;
    platform::MessageService msg;
};

TEST(ConsoleForm, EveryServiceInItsForm) {
    Streams s;
    s.msg.errorBox(" x ");
    s.msg.errorBoxPlain(" ... in f()\n");
    s.msg.titledBox("ZIVOZI", "Too many clocks or Timers!");
    s.msg.statusText("status");
    s.msg.statusText("line\n");
    s.msg.setBuffer("sys\n");
    s.msg.systemBox();
    s.msg.setBuffer("info");
    s.msg.infoBox();
    s.msg.console("printed");
    EXPECT_EQ(contents(s.err),
              "[ERROR Message!] ERROR:  x \n"
              "[ERROR Message!]  ... in f()\n"
              "[ZIVOZI] Too many clocks or Timers!\n");
    EXPECT_EQ(contents(s.out),
              "status\n"
              "line\n"
              "[Message for System.] sys\n"
              "[Message from ZIVOZI/3Z-Urirodod] info\n"
              "printed\n");
    EXPECT_EQ(s.msg.errorCount(), 3);
}

TEST(ConsoleForm, MessageModeSilencesStatusAndSystemBoxesOnly) {
    Streams s;
    s.msg.setMessageMode(0);
    s.msg.statusText("hidden");
    s.msg.setBuffer("hidden");
    s.msg.systemBox();
    s.msg.infoBox();
    s.msg.errorBox("shown");
    EXPECT_EQ(contents(s.out), "[Message from ZIVOZI/3Z-Urirodod] hidden\n");
    EXPECT_EQ(contents(s.err), "[ERROR Message!] ERROR: shown\n");
}

TEST(ConsoleForm, ErrorTextIsCutToItsArea) {
    Streams s;
    s.msg.errorBox(std::string(5000, 'e'));
    const std::string err = contents(s.err);
    EXPECT_EQ(err.size(), std::string("[ERROR Message!] ").size() + 1023 + 1);
}

TEST(ConsoleForm, InternalErrorNamesTheRoutine) {
    Streams s;
    s.msg.internalError(" ... in Render()\n");
    EXPECT_EQ(contents(s.err), "[ERROR Message!] ERROR: " + std::string(platform::kInternalError) +
                                   "\n[ERROR Message!]  ... in Render()\n");
}

TEST(ConsoleFormDeathTest, FatalStopEndsWithTheBanner) {
    Streams s;
    EXPECT_EXIT(s.msg.fatalStop(), ::testing::ExitedWithCode(255),
                "\\*\\*\\*  RIDA now down!  \\*\\*\\*");
}

}  // namespace
}  // namespace rz::test
