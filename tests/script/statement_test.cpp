#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "interp_fixture.hpp"
#include "script/command_table.hpp"
#include "script/messages.hpp"

namespace rz::test {
namespace {

namespace msg = script::msg;
using Boxes = std::vector<std::string>;

class StatementTest : public InterpTest {};

// A command string and every box it must show, in order.
struct RunCase {
    const char* text;
    Boxes boxes;
};

TEST_F(StatementTest, RoutingAndErrorPolicy) {
    const std::vector<RunCase> cases = {
        {"nop; nop; dummy;", {}},
        {"wire;", {}},
        {"wire", {err(msg::kEofDetected), err(msg::kTypeCorrectly)}},
        {"foo; nop 1;", {err(msg::kTypeCorrectly)}},
        {"nop 1;", {err(msg::kTooManyParams), kRunFailed}},
        {"nop 1", {err(msg::kTooManyParams), kRunFailed}},
        {"10 nop;", {err(msg::kTypeCorrectly)}},
        {"WIRE;", {err(msg::kTypeCorrectly)}},
        {"\"text\";", {err(msg::kTypeCorrectly)}},
        {"defend;", {err(msg::kTypeCorrectly)}},
        {"+;", {err(msg::kTypeCorrectly)}},
        {";;\n;", {}},
        {"nop 1;\nnop 2;", {err(msg::kTooManyParams), kRunFailed}},
    };
    for (const RunCase& c : cases) {
        sink.clear();
        run(c.text);
        EXPECT_EQ(boxes(), c.boxes) << c.text;
    }
}

TEST_F(StatementTest, AFailingCommandStopsTheStringButNotAssignments) {
    // "a = ;" discards the rest of its line, "a = 5" with it.
    run("var a; a = 1; a = ; a = 5\na += 1; nop 1; a = 100;");
    EXPECT_FLOAT_EQ(scalar("a"), 2.0f);
    EXPECT_EQ(boxes(), (Boxes{err(msg::kTypeCorrectly), err(msg::kTooManyParams), kRunFailed}));
}

TEST_F(StatementTest, AnUnknownWordDiscardsTheRestOfItsLineOnly) {
    run("var a; a = 1\nfoo; a = 2\na = a + 10");
    EXPECT_FLOAT_EQ(scalar("a"), 11.0f);
}

TEST_F(StatementTest, StreamedFilesStopAtNumbersAndFailures) {
    platform::InputFile numbers(std::string_view("var a\na = 1\n10 wire\na = 2\n"));
    EXPECT_EQ(script::execFileStream(in, numbers), script::kFail);
    EXPECT_FLOAT_EQ(scalar("a"), 1.0f);
    EXPECT_EQ(boxes(), Boxes{err(msg::kSubOnly)});

    sink.clear();
    platform::InputFile failing(std::string_view("a = 3\nnop 1\na = 4\n"));
    EXPECT_EQ(script::execFileStream(in, failing), script::kFail);
    EXPECT_FLOAT_EQ(scalar("a"), 3.0f);
    EXPECT_EQ(boxes(), Boxes{err(msg::kTooManyParams)});

    // An assignment error in a file does not stop it, and the next line still runs.
    sink.clear();
    platform::InputFile assigning(std::string_view("a = ;\na = 5"));
    EXPECT_EQ(script::execFileStream(in, assigning), script::kOk);
    EXPECT_FLOAT_EQ(scalar("a"), 5.0f);
}

TEST_F(StatementTest, RunsNestAndRestoreTheirSource) {
    // A handler that runs a string inside a run: the outer string continues afterwards.
    run("var a; a = 1");
    platform::InputFile file(std::string_view("a = a + 1\n"));
    const script::SourceState outer = in.lex.save();
    EXPECT_EQ(script::execFileStream(in, file), script::kOk);
    script::execCommandString(in, 0, "a = a * 10;");
    EXPECT_EQ(in.lex.save().text, outer.text);
    EXPECT_FLOAT_EQ(scalar("a"), 20.0f);
}

TEST_F(StatementTest, CurrentWindowIsTheLastCaller) {
    script::execCommandString(in, 42, "nop 1;");
    ASSERT_FALSE(sink.log.empty());
    EXPECT_EQ(sink.log.back().owner, 42u);
    EXPECT_EQ(msg.currentWindow(), 42u);
}

TEST_F(StatementTest, TablesHaveTheirSizesAndOrder) {
    EXPECT_EQ(script::kCommandNames.front(), "var");
    EXPECT_EQ(script::kCommandNames.back(), "rigid.bbox");
    EXPECT_EQ(script::kConstantTable.front().name, "WIRE");
    EXPECT_EQ(script::kConstantTable.back().name, "CBUF.BLACK.SAMPLE");
    // Every command word and constant resolves to its kind; constants keep their values.
    for (const std::string_view name : script::kCommandNames)
        EXPECT_EQ(kindOf(std::string(name).c_str()), script::Tok::Command) << name;
    for (const auto& row : script::kConstantTable) {
        const int s = in.sym.lookup(row.name);
        ASSERT_NE(s, script::SymbolTable::kNone) << row.name;
        EXPECT_EQ(in.sym[s].kind, script::Tok::Constant);
        EXPECT_EQ(in.sym[s].value, row.value) << row.name;
    }
    // Symbols are registered dummy, commands, defend, constants: defend sits between.
    EXPECT_LT(in.sym.lookup("rigid.bbox"), in.sym.lookup("defend"));
    EXPECT_LT(in.sym.lookup("defend"), in.sym.lookup("WIRE"));
    EXPECT_LT(in.sym.lookup("dummy"), in.sym.lookup("var"));
}

TEST_F(StatementTest, PlaceholderCommandsTakeTheirArgumentsAndSaySo) {
    run("set.winfact 3; winclear; wire;");
    EXPECT_TRUE(boxes().empty());
    EXPECT_EQ(statuses().size(), 3u);
}

TEST_F(StatementTest, MessageModeSuppressesStatusButNotErrors) {
    EXPECT_EQ(msg.setMessageMode(0), 0);
    run("print 1; nop 1;");
    EXPECT_TRUE(statuses().empty());
    EXPECT_EQ(boxes(), (Boxes{err(msg::kTooManyParams), kRunFailed}));
    EXPECT_EQ(msg.setMessageMode(3), 9999);
    EXPECT_EQ(msg.messageMode(), 1);
    run("print 1;");
    EXPECT_EQ(statuses().size(), 1u);
}

}  // namespace
}  // namespace rz::test
