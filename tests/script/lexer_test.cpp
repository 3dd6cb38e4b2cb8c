#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "interp_fixture.hpp"
#include "script/messages.hpp"

namespace rz::test {
namespace {

using script::Tok;

class LexerTest : public InterpTest {
  protected:
    // Every token of a text, up to and including end of input.
    std::vector<Tok> tokens(const std::string& text) {
        text_ = text;
        const script::SourceState saved = in.lex.save();
        in.lex.setStringSource(text_.c_str());
        std::vector<Tok> out;
        for (int guard = 0; guard < 100; ++guard) {
            out.push_back(in.lex.getToken());
            values_.push_back(in.lex.number());
            if (out.back() == Tok::Eof) break;
        }
        in.lex.restore(saved);
        return out;
    }
    std::string text_;
    std::vector<float> values_;
};

struct TokenCase {
    const char* text;
    std::vector<Tok> expected;
};

TEST_F(LexerTest, TokenSequences) {
    const Tok cmd = Tok::Command, end = Tok::End, eof = Tok::Eof, num = Tok::Number;
    const std::vector<TokenCase> cases = {
        {"wire;", {cmd, end, eof}},
        {"wire\n", {cmd, end, eof}},
        {"1 - 2", {num, Tok::Minus, num, eof}},
        {"1-2", {num, eof}},
        {"<< <= < >= > == != ! = += -= *= /= && || := & |",
         {Tok::ShiftLeft, Tok::LessEqual, Tok::Less, Tok::GreaterEqual, Tok::Greater, Tok::Equal,
          Tok::NotEqual, Tok::Not, Tok::Assign, Tok::AddAssign, Tok::SubAssign, Tok::MulAssign,
          Tok::DivAssign, Tok::And, Tok::Or, Tok::Define, script::charToken('&'),
          script::charToken('|'), eof}},
        {"( ) , [ ] + - * /",
         {Tok::LParen, Tok::RParen, Tok::Comma, Tok::LBracket, Tok::RBracket, Tok::Plus, Tok::Minus,
          Tok::Times, Tok::Divide, eof}},
        {":x :y :z : x;",
         {Tok::SelectX, Tok::SelectY, Tok::SelectZ, script::charToken(':'), Tok::Undefined, end,
          eof}},
        {"' a comment; wire;\nwire;", {end, cmd, end, eof}},
        {"\"abc\nwire;", {Tok::String, end, cmd, end, eof}},
        {"{a\nb}", {Tok::Brace, eof}},
        {"WIRE;", {Tok::Constant, end, eof}},
        {"dummy;", {Tok::StatementCommand, end, eof}},
        {"defend;", {Tok::Marker, end, eof}},
        {"@nothing;", {Tok::Undefined, end, eof}},
        {"wire;\r\nwire;\r\n", {cmd, end, end, cmd, end, end, eof}},
        {"\t wire \0;", {cmd, eof}},
    };
    for (const TokenCase& c : cases) EXPECT_EQ(tokens(c.text), c.expected) << c.text;
}

TEST_F(LexerTest, NumberValues) {
    struct Case {
        const char* text;
        float value;
    };
    const std::vector<Case> cases = {
        {"1-2", 1.0f}, {"1+2", 1.0f}, {"2e3", 2000.0f}, {".5", 0.5f},      {"3.25", 3.25f},
        {".", 0.0f},   {"...", 0.0f}, {"1e", 1.0f},     {"0.1e-1", 0.01f},
    };
    for (const Case& c : cases) {
        values_.clear();
        ASSERT_EQ(tokens(c.text).front(), Tok::Number) << c.text;
        EXPECT_FLOAT_EQ(values_.front(), c.value) << c.text;
    }
    // "2E3" is the number 2 and the name E3.
    EXPECT_EQ(tokens("2E3 "), (std::vector<Tok>{Tok::Number, Tok::Undefined, Tok::Eof}));
    values_.clear();
    tokens("1e999");
    EXPECT_TRUE(std::isinf(values_.front()));
}

TEST_F(LexerTest, NamesAreWholeDottedWords) {
    run("vtx b.xyzmax.v;");
    EXPECT_EQ(tokens("b.xyzmax.v:x"), (std::vector<Tok>{Tok::Vector, Tok::SelectX, Tok::Eof}));
    EXPECT_EQ(tokens("b.xyzmax.v :x"), (std::vector<Tok>{Tok::Vector, Tok::SelectX, Tok::Eof}));
    EXPECT_EQ(tokens("b.xyzmax.v: x "),
              (std::vector<Tok>{Tok::Vector, script::charToken(':'), Tok::Undefined, Tok::Eof}));
    EXPECT_EQ(tokens("x.5 "), (std::vector<Tok>{Tok::Undefined, Tok::Eof}));
    EXPECT_NE(in.sym.lookup("x.5"), script::SymbolTable::kNone);
    EXPECT_EQ(tokens("#STRING.1;").front(), Tok::StringVar);
}

TEST_F(LexerTest, UndefinedWordsAreRegisteredOnce) {
    const int before = in.sym.count();
    tokens("fresh.word fresh.word fresh.word;");
    EXPECT_EQ(in.sym.count(), before + 1);
    EXPECT_EQ(kindOf("fresh.word"), Tok::Undefined);
}

TEST_F(LexerTest, JapaneseNames) {
    // UTF-8 and Shift-JIS letters both continue and start names.
    EXPECT_EQ(tokens("a\xE3\x81\x82;"), (std::vector<Tok>{Tok::Undefined, Tok::End, Tok::Eof}));
    EXPECT_NE(in.sym.lookup("a\xE3\x81\x82"), script::SymbolTable::kNone);
    EXPECT_EQ(tokens("\x82\xA0x;"), (std::vector<Tok>{Tok::Undefined, Tok::End, Tok::Eof}));
    EXPECT_NE(in.sym.lookup("\x82\xA0x"), script::SymbolTable::kNone);
    // A UTF-8 letter right before ";" must not swallow it.
    EXPECT_EQ(tokens("b\xE3\x81\x82;"), (std::vector<Tok>{Tok::Undefined, Tok::End, Tok::Eof}));
}

TEST_F(LexerTest, StringLiteralLimits) {
    const std::string ok(255, 'a');
    EXPECT_EQ(tokens("\"" + ok + "\";").front(), Tok::String);
    EXPECT_EQ(in.lex.text(), ok);
    EXPECT_TRUE(boxes().empty());
    EXPECT_EQ(tokens("\"" + ok + "a\";").front(), Tok::Error);
    ASSERT_FALSE(boxes().empty());
    EXPECT_EQ(boxes().front(), err(script::msg::kStringTooLong));
}

TEST_F(LexerTest, LexicalErrors) {
    struct Case {
        const char* text;
        std::string_view message;
    };
    const std::vector<Case> cases = {
        {"wire", script::msg::kEofDetected},  {"\"abc", script::msg::kEofDetected},
        {"{abc", script::msg::kEofDetected},  {"{a{b}", script::msg::kNestedBrace},
        {"@name", script::msg::kEofDetected},
    };
    for (const Case& c : cases) {
        sink.clear();
        EXPECT_EQ(tokens(c.text).front(), Tok::Error) << c.text;
        EXPECT_EQ(boxes(), std::vector<std::string>{err(c.message)}) << c.text;
    }
    sink.clear();
    EXPECT_EQ(tokens("{" + std::string(4095, 'b') + "}").front(), Tok::Brace);
    EXPECT_EQ(tokens("{" + std::string(4096, 'b') + "}").front(), Tok::Error);
}

TEST_F(LexerTest, OverlongNameIsRefusedNotOverrun) {
    const std::string name(5000, 'n');
    EXPECT_EQ(tokens(name + ";").front(), Tok::Error);
    EXPECT_EQ(in.sym.lookup(name), script::SymbolTable::kNone);
    const std::string longest(1023, 'm');
    EXPECT_EQ(tokens(longest + ";").front(), Tok::Undefined);
}

class FindAll : public script::RecordFinder {
  public:
    bool findRecordByName(std::string_view name, Tok& kind, int& index) const override {
        if (name != "box") return false;
        kind = Tok::BlockRef;
        index = 7;
        return true;
    }
};

TEST_F(LexerTest, RecordNames) {
    FindAll finder;
    in.lex.setRecordFinder(&finder);
    values_.clear();
    EXPECT_EQ(tokens("@box;").front(), Tok::BlockRef);
    EXPECT_FLOAT_EQ(values_.front(), 7.0f);
    EXPECT_EQ(tokens("@other;").front(), Tok::Undefined);
    EXPECT_EQ(in.sym.lookup("other"), script::SymbolTable::kNone);
    in.lex.setRecordFinder(nullptr);
}

TEST_F(LexerTest, StreamsDropCarriageReturnsBeforeNewlines) {
    platform::InputFile file(std::string_view("print \"a\r\", 1\r\nprint \"b\r\"\r\n"));
    EXPECT_EQ(script::execFileStream(in, file), script::kOk);
    EXPECT_EQ(statuses(), (std::vector<std::string>{"a\r 1.000000\n", "b\r\n"}));
}

}  // namespace
}  // namespace rz::test
