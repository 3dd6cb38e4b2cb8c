// The console's parts that need no terminal: completion of names and the kept history.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/console_completion.hpp"
#include "app/console_history.hpp"
#include "platform/message_service.hpp"
#include "platform/recording_sink.hpp"
#include "script/symbol_table.hpp"

namespace rz::test {
namespace {

using Names = std::vector<std::string>;

// A line with its cursor marked by "|".
struct Marked {
    std::string line;
    std::size_t cursor;
};
Marked unmark(const std::string& marked) {
    const std::size_t at = marked.find('|');
    return {marked.substr(0, at) + marked.substr(at + 1), at};
}
std::string mark(const std::string& line, std::size_t cursor) {
    return line.substr(0, cursor) + "|" + line.substr(cursor);
}

// One Tab on a marked line: the marked line it leaves, and the names it shows.
std::string tab(app::Completer& c, const std::string& marked, const Names& names,
                Names* shown = nullptr) {
    const Marked m = unmark(marked);
    const auto edit = c.complete(m.line, m.cursor, names);
    if (!edit) return marked;
    if (shown != nullptr) *shown = edit->choices;
    const std::size_t from = m.cursor - edit->eraseBytes;
    const std::string line = m.line.substr(0, from) + edit->insert + m.line.substr(m.cursor);
    return mark(line, from + edit->insert.size());
}

TEST(ConsoleCompletion, TabsOnALine) {
    const Names names = {"#STRING",     "WIRE",        "b.xyzmax.v",  "print",
                         "set.block",   "set.winfact", "set.wingrid", "wire",
                         "wire.thread", "名前.一",     "名前.二"};
    struct Case {
        std::string line;
        std::vector<std::string> after;  // the line after each Tab in a row
    };
    const std::vector<Case> cases = {
        // One match completes, wherever the cursor is in the line.
        {"set.blo|", {"set.block|", "set.block|"}},
        {"set.blo|; wire", {"set.block|; wire"}},
        {"a=b.xy|", {"a=b.xyzmax.v|"}},
        {"#ST|", {"#STRING|"}},
        // Several extend to what they share, then go round one by one.
        {"set.w|", {"set.win|", "set.winfact|", "set.wingrid|", "set.winfact|"}},
        {"wi|", {"wire|", "wire|", "wire.thread|", "wire|"}},
        {"名|", {"名前.|"}},
        // Names are case-sensitive; nothing to complete leaves the line alone.
        {"Wi|", {"Wi|"}},
        {"zz|", {"zz|"}},
        {"print |", {"print |"}},
        // Not a name being typed: strings, comments, braces, numbers, record names.
        {"read \"set.w|", {"read \"set.w|"}},
        {"nop ' set.w|", {"nop ' set.w|"}},
        {"let {set.w|", {"let {set.w|"}},
        {"print 2e|", {"print 2e|"}},
        {"print @wi|", {"print @wi|"}},
        // After a closed string a name is a name again.
        {"print \"x\", wire.t|", {"print \"x\", wire.thread|"}},
    };
    for (const Case& c : cases) {
        app::Completer completer;
        std::string line = c.line;
        for (const std::string& expected : c.after) {
            line = tab(completer, line, names);
            EXPECT_EQ(line, expected) << c.line;
        }
    }
}

TEST(ConsoleCompletion, ChoicesAreShownOnceAndTypingStartsAfresh) {
    const Names names = {"set.winfact", "set.wingrid", "wire", "wire.thread"};
    app::Completer completer;
    Names shown;
    EXPECT_EQ(tab(completer, "set.win|", names, &shown), "set.winfact|");
    EXPECT_EQ(shown, (Names{"set.winfact", "set.wingrid"}));
    shown.clear();
    EXPECT_EQ(tab(completer, "set.winfact|", names, &shown), "set.wingrid|");
    EXPECT_TRUE(shown.empty());
    // The line changed since the last Tab: a new name, not the next choice.
    EXPECT_EQ(tab(completer, "set.wingrid 3; wi|", names), "set.wingrid 3; wire|");
}

TEST(ConsoleCompletion, NamesAreWhatAUserCanType) {
    platform::RecordingSink sink;
    platform::MessageService msg(sink);
    script::SymbolTable sym(msg);
    ASSERT_TRUE(sym.allocate().empty());
    sym.install("print", script::Tok::Command, 0);
    sym.install("nop", script::Tok::Command, 0);
    sym.install("nop", script::Tok::Command, 0);
    sym.install("defend", script::Tok::Marker, 0);
    sym.install("WIRE", script::Tok::Constant, 0);
    sym.install("typo", script::Tok::Undefined, 0);
    sym.installVector("b.xyzmax.v", 0, 0, 0);
    sym.installString("#STRING", 2);
    EXPECT_EQ(app::completionNames(sym), (Names{"#STRING", "WIRE", "b.xyzmax.v", "nop", "print"}));
}

TEST(ConsoleHistory, ItsPlaceFollowsTheStateFolderRules) {
    struct Case {
        const char* xdgStateHome;
        const char* home;
        std::filesystem::path expected;
    };
    const std::vector<Case> cases = {
        {"/state", "/home/u", "/state/rovora_z/history"},
        {nullptr, "/home/u", "/home/u/.local/state/rovora_z/history"},
        {"", "/home/u", "/home/u/.local/state/rovora_z/history"},
        {"relative/state", "/home/u", "/home/u/.local/state/rovora_z/history"},
        {nullptr, nullptr, ""},
        {nullptr, "relative", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(app::historyPath(c.xdgStateHome, c.home), c.expected)
            << (c.xdgStateHome ? c.xdgStateHome : "(unset)");
}

TEST(ConsoleHistory, IsBoundedAndKeptInAFolderItMakes) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("rz_history_" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    const std::filesystem::path file = dir / "state" / "rovora_z" / "history";
    platform::RecordingSink sink;
    platform::MessageService msg(sink);
    constexpr int kEntries = 20;
    {
        app::ConsoleHistory history(file, msg, kEntries);
        ASSERT_NE(history.handle(), nullptr);
        for (int i = 0; i < kEntries + 10; ++i) history.add("print " + std::to_string(i));
        history.add("   ");
        history.add(std::string(app::ConsoleHistory::kLongestLine + 1, 'x'));
    }
    struct stat st {};
    ASSERT_EQ(::stat(file.parent_path().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);

    app::ConsoleHistory again(file, msg, kEntries);
    HistEvent ev{};
    ASSERT_EQ(history(again.handle(), &ev, H_GETSIZE), 0);
    EXPECT_EQ(ev.num, kEntries);
    // The newest line is the last one worth keeping; the oldest ones made way.
    ASSERT_EQ(history(again.handle(), &ev, H_FIRST), 0);
    EXPECT_STREQ(ev.str, ("print " + std::to_string(kEntries + 9)).c_str());
    ASSERT_EQ(history(again.handle(), &ev, H_LAST), 0);
    EXPECT_STREQ(ev.str, "print 10");
    EXPECT_TRUE(sink.log.empty());

    // A folder that cannot be made: the console goes on, and says why once.
    app::ConsoleHistory nowhere("/proc/none/rovora_z/history", msg);
    EXPECT_NE(nowhere.handle(), nullptr);
    nowhere.add("print 1");
    ASSERT_EQ(sink.log.size(), 1u);
    EXPECT_NE(sink.log[0].text.find("the history is not kept"), std::string::npos);
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace rz::test
