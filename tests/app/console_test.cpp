// The console's parts that need no terminal: completion of names and the kept history.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/console_completion.hpp"
#include "app/console_history.hpp"
#include "platform/recording_sink.hpp"

namespace rz::test {
namespace {

using Names = std::vector<std::string>;

TEST(ConsoleCompletion, TabsInARow) {
    const Names names = {"#STRING", "b.xyzmax.v",  "set.block", "set.winfact", "set.wingrid",
                         "wire",    "wire.thread", "名前.一",   "名前.二"};
    // A line with its cursor at "|", and the line after each Tab in a row.
    const std::vector<std::pair<std::string, Names>> cases = {
        // One match completes, wherever the cursor is in the line.
        {"set.blo|; wire", {"set.block|; wire", "set.block|; wire"}},
        {"a=b.xy|", {"a=b.xyzmax.v|"}},
        {"#ST|", {"#STRING|"}},
        // Several extend to what they share (never into a letter), then go round.
        {"set.w|", {"set.win|", "set.winfact|", "set.wingrid|", "set.winfact|"}},
        {"wi|", {"wire|", "wire|", "wire.thread|", "wire|"}},
        {"名|", {"名前.|"}},
        // Nothing fits, or no name is being typed: strings, comments, braces, numbers,
        // record names.
        {"Wi|", {"Wi|"}},
        {"print |", {"print |"}},
        {"read \"set.w|", {"read \"set.w|"}},
        {"nop ' set.w|", {"nop ' set.w|"}},
        {"let {set.w|", {"let {set.w|"}},
        {"print 2e|", {"print 2e|"}},
        {"print @wi|", {"print @wi|"}},
        {"print \"x\", wire.t|", {"print \"x\", wire.thread|"}},
    };
    for (const auto& [start, after] : cases) {
        app::Completer completer;
        std::string line = start;
        for (const std::string& expected : after) {
            const std::size_t cursor = line.find('|');
            const std::string text = line.substr(0, cursor) + line.substr(cursor + 1);
            if (const auto edit = completer.complete(text, cursor, names)) {
                const std::size_t from = cursor - edit->eraseBytes;
                line = text.substr(0, from) + edit->insert + "|" + text.substr(cursor);
            }
            EXPECT_EQ(line, expected) << start;
        }
    }
}

TEST(ConsoleCompletion, NamesAreWhatAUserCanType) {
    platform::RecordingSink sink;
    platform::MessageService msg(sink);
    script::SymbolTable sym(msg);
    ASSERT_TRUE(sym.allocate().empty());
    for (const char* name : {"print", "nop", "nop"}) sym.install(name, script::Tok::Command, 0);
    sym.install("defend", script::Tok::Marker, 0);
    sym.install("WIRE", script::Tok::Constant, 0);
    sym.install("typo", script::Tok::Undefined, 0);
    sym.installVector("b.xyzmax.v", 0, 0, 0);
    EXPECT_EQ(app::completionNames(sym), (Names{"WIRE", "b.xyzmax.v", "nop", "print"}));
}

TEST(ConsoleHistory, ItsPlaceFollowsTheStateFolderRules) {
    const std::filesystem::path home = "/home/u/.local/state/rovora_z/history";
    EXPECT_EQ(app::historyPath("/state", "/home/u"), "/state/rovora_z/history");
    for (const char* ignored : {static_cast<const char*>(nullptr), "", "relative/state"})
        EXPECT_EQ(app::historyPath(ignored, "/home/u"), home);
    EXPECT_EQ(app::historyPath(nullptr, nullptr), "");
    EXPECT_EQ(app::historyPath(nullptr, "relative"), "");
}

TEST(ConsoleHistory, IsBoundedAndKeptInAPrivateFolderItMakes) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("rz_history_" + std::to_string(::getpid()));
    const std::filesystem::path file = dir / "state" / "rovora_z" / "history";
    std::filesystem::remove_all(dir);
    platform::RecordingSink sink;
    platform::MessageService msg(sink);
    constexpr int kEntries = 20;
    {
        app::ConsoleHistory history(file, msg, kEntries);
        for (int i = 0; i < kEntries + 10; ++i) history.add("print " + std::to_string(i));
        history.add("   ");
        history.add(std::string(app::ConsoleHistory::kLongestLine + 1, 'x'));
    }
    struct stat st {};
    ASSERT_EQ(::stat(file.parent_path().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    // Read back: the newest lines worth keeping, as many as the bound.
    app::ConsoleHistory again(file, msg, kEntries);
    HistEvent ev{};
    ASSERT_EQ(history(again.handle(), &ev, H_GETSIZE), 0);
    EXPECT_EQ(ev.num, kEntries);
    ASSERT_EQ(history(again.handle(), &ev, H_FIRST), 0);
    EXPECT_STREQ(ev.str, "print 29");
    EXPECT_TRUE(sink.log.empty());
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace rz::test
