#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "interp_fixture.hpp"
#include "script/messages.hpp"

namespace rz::test {
namespace {

namespace msg = script::msg;
namespace fs = std::filesystem;
using Boxes = std::vector<std::string>;
using script::Tok;

const std::string kNewexecValue =
    err(std::string(msg::kValueNotCorrect) + " ... in newExecSub()\n");
const std::string kNewexecMissing = err(std::string(msg::kFileNotFound) + " ... in newExecSub()\n");

class LanguageTest : public InterpTest {
  protected:
    explicit LanguageTest(std::size_t scriptMax = script::Interp::kDefaultScriptMax)
        : InterpTest(scriptMax) {
        dir_ = fs::temp_directory_path() /
               ("rovora_lang_" + std::to_string(::getpid()) + "_" + std::to_string(counter_++));
        fs::create_directories(dir_);
    }
    ~LanguageTest() override { fs::remove_all(dir_); }

    std::string file(const std::string& name, const std::string& text) {
        const fs::path p = dir_ / name;
        std::ofstream(p, std::ios::binary) << text;
        return p.string();
    }

    fs::path dir_;
    static inline int counter_ = 0;
};

TEST_F(LanguageTest, LetStoresLiterals) {
    run("var x; vtx v; def.mat m;");
    run("let x -3; let v 1 -2 WIRE;");
    run("let m 1 2 3 4\n5 6 7 8; 9 10 11 12\n-13 14 15 0.1\n");
    run("let #STRING \"abc def\";");
    EXPECT_TRUE(boxes().empty());
    EXPECT_FLOAT_EQ(scalar("x"), -3.0f);
    EXPECT_EQ(vector("v"), (Vec3{1, -2, 0}));
    const Mat4& m = in.sym.matrix(in.sym.lookup("m"));
    EXPECT_DOUBLE_EQ(m[4], 5.0);
    EXPECT_DOUBLE_EQ(m[12], -13.0);
    EXPECT_DOUBLE_EQ(m[15], 0.1);  // kept in double precision
    EXPECT_EQ(in.sym.stringText(in.sym.lookup("#STRING")), "abc def");
}

TEST_F(LanguageTest, LetRefusals) {
    struct Case {
        const char* statement;
        std::string_view message;
    };
    run("var x, arr[2]; vtx v; def.mat m;");
    const std::vector<Case> cases = {
        {"let x - -3;", msg::kConstantOnly},    {"let x 3 4;", msg::kTooManyParams},
        {"let x y;", msg::kConstantOnly},       {"let v 1, 2, 3;", msg::kConstantOnly},
        {"let #STRING 3;", msg::kBadParam},     {"let arr 1;", msg::kBadVariableType},
        {"let WIRE 1;", msg::kBadVariableType}, {"let nothing 1;", msg::kBadVariableType},
        {"let 3 1;", msg::kBadVariableType},    {"let m 1 2 3 4; 5 6 7 x;", msg::kConstantOnly},
    };
    for (const Case& c : cases) {
        sink.clear();
        run(c.statement);
        EXPECT_EQ(boxes(), (Boxes{err(c.message), kRunFailed})) << c.statement;
    }
    // A failing matrix row keeps the rows before it.
    EXPECT_DOUBLE_EQ(in.sym.matrix(in.sym.lookup("m"))[3], 4.0);
    EXPECT_DOUBLE_EQ(in.sym.matrix(in.sym.lookup("m"))[4], 0.0);
}

TEST_F(LanguageTest, PrintComposesOneLine) {
    run("var x; vtx v; x = 2; v = (1, 2, 3); let #STRING \"s\";");
    run("print \"x=\", x, v;");
    run("print #STRING, x * 2 + 1;");
    EXPECT_EQ(statuses(), (std::vector<std::string>{"x= 2.000000 ( 1.000000 2.000000 3.000000 )\n",
                                                    "s 5.000000\n"}));
    sink.clear();
    run("print;");
    EXPECT_EQ(boxes(), (Boxes{err(msg::kTypeCorrectly), kRunFailed}));
    sink.clear();
    run("print 1 2;");
    EXPECT_EQ(boxes(), (Boxes{err(msg::kBadSeparator), kRunFailed}));
}

TEST_F(LanguageTest, PrintShowsAtMost255Characters) {
    std::string statement = "print ";
    for (int i = 0; i < 40; ++i)
        statement += std::string(i ? ", " : "") + "\"" + std::string(200, 'q') + "\"";
    run(statement + ";");
    ASSERT_EQ(statuses().size(), 1u);
    EXPECT_EQ(statuses()[0], std::string(255, 'q'));
}

TEST_F(LanguageTest, FileNumberSuffix) {
    run("setnum 5;");
    EXPECT_EQ(in.fileNumberSuffix, 5);
    run("setnum 2 * 3 + 0.9;");
    EXPECT_EQ(in.fileNumberSuffix, 6);
    run("setnum -1;");
    EXPECT_EQ(in.fileNumberSuffix, -1);
    run("setnum 7; resetnum;");
    EXPECT_EQ(in.fileNumberSuffix, -1);
    EXPECT_EQ(statuses().back(), "\n ** 以降の ﾃﾞｰﾀﾌｧｲﾙ から、番号付けを解除します **\n");
    EXPECT_EQ(statuses()[0], "\n ** 以降の ﾃﾞｰﾀﾌｧｲﾙ には、5 が付加されます **\n");
    sink.clear();
    run("setnum 1 2;");
    EXPECT_EQ(boxes(), (Boxes{err(msg::kTooManyParams), kRunFailed}));
}

TEST_F(LanguageTest, ForcedExtension) {
    const auto forced = [&] { return in.sym.slotText(script::SymbolTable::kForcedExtensionSlot); };
    run("expand \"dxf\";");
    EXPECT_EQ(forced(), "dxf");
    run("expand 0;");
    EXPECT_EQ(forced(), "");
    run("let #STRING.1 \"pts\"; expand #STRING.1;");
    EXPECT_EQ(forced(), "pts");
    sink.clear();
    run("expand 1;");
    EXPECT_EQ(boxes(), (Boxes{err(msg::kBadParam), kRunFailed}));
    EXPECT_EQ(forced(), "pts");
    sink.clear();
    run("expand \"a\" 2;");
    EXPECT_EQ(boxes(), (Boxes{err(msg::kTooManyParams), kRunFailed}));
}

TEST_F(LanguageTest, ExecStreamsAFileOnceAndKeepsItsDeclarations) {
    const std::string path = file("decl.txt", "var kept\nkept = 4\nnop 1\nkept = 5\n");
    run("exec \"" + path + "\"; print kept;");
    EXPECT_FLOAT_EQ(scalar("kept"), 4.0f);
    EXPECT_EQ(boxes(), Boxes{err(msg::kTooManyParams)});  // the file stops, exec succeeds
    EXPECT_EQ(statuses(), std::vector<std::string>{" 4.000000\n"});
    sink.clear();
    run("exec \"" + (dir_ / "missing.txt").string() + "\";");
    EXPECT_EQ(boxes(), (Boxes{err(msg::kFileNotFound), kRunFailed}));
    sink.clear();
    run("exec 3;");
    EXPECT_EQ(boxes(), (Boxes{err(msg::kTypeCorrectly), kRunFailed}));
}

TEST_F(LanguageTest, ExecFindsFilesCaseInsensitively) {
    file("Mixed.Sub", "var found\n");
    run("exec \"" + (dir_ / "mixed.sub").string() + "\";");
    EXPECT_EQ(kindOf("found"), Tok::Scalar);
}

TEST_F(LanguageTest, NewexecRunsRepeatedlyAndForgetsItsSymbols) {
    run("var total;");
    const std::string path = file("a.sub", "total = total + 1\n");
    run("newexec \"" + path + "\", 3;");
    EXPECT_FLOAT_EQ(scalar("total"), 3.0f);
    EXPECT_EQ(in.scriptUsed, 0u);
    EXPECT_TRUE(boxes().empty());

    const std::string declaring = file("d.sub", "var local\nlocal = 2\ntotal = total + local\n");
    run("newexec \"" + declaring + "\";");
    EXPECT_FLOAT_EQ(scalar("total"), 5.0f);
    EXPECT_EQ(in.sym.lookup("local"), script::SymbolTable::kNone);
    run("total = 3;");

    run("var times; times = 2; newexec \"" + path + "\" times;");
    EXPECT_FLOAT_EQ(scalar("total"), 5.0f);

    const std::string failing = file("f.sub", "total = total + 1\nnop 1\ntotal = total + 100\n");
    run("newexec \"" + failing + "\", 2;");
    EXPECT_FLOAT_EQ(scalar("total"), 7.0f);
    EXPECT_EQ(boxes(),
              (Boxes{err(msg::kTooManyParams), kRunFailed, err(msg::kTooManyParams), kRunFailed}));
}

TEST_F(LanguageTest, NewexecRefusals) {
    const std::string path = file("a.sub", "nop\n");
    struct Case {
        std::string statement;
        Boxes boxes;
    };
    const std::vector<Case> cases = {
        {"newexec \"" + path + "\", 0;", {kNewexecValue, kRunFailed}},
        {"newexec \"" + path + "\", -2;", {err(msg::kBadParam), kRunFailed}},
        {"newexec \"" + (dir_ / "none.sub").string() + "\";", {kNewexecMissing, kRunFailed}},
        {"newexec 5;", {err(msg::kTypeCorrectly), kRunFailed}},
        {"newexec \"" + path + "\" 3;", {err(msg::kBadSeparator), kRunFailed}},
        {"newexec \"" + path + "\", x;", {err(msg::kBadParam), kRunFailed}},
        {"newexec \"" + path + "\", 2, 3;", {err(msg::kTooManyParams), kRunFailed}},
    };
    for (const Case& c : cases) {
        sink.clear();
        run(c.statement);
        EXPECT_EQ(boxes(), c.boxes) << c.statement;
    }
}

TEST_F(LanguageTest, NewexecNestsFiftyDeep) {
    // Each level counts itself and runs the same script again until 50 are active.
    run("var depth, deepest;");
    const std::string path = (dir_ / "self.sub").string();
    file("self.sub", "depth = depth + 1\ndeepest = depth\nnewexec \"" + path + "\"\n");
    run("newexec \"" + path + "\";");
    EXPECT_FLOAT_EQ(scalar("deepest"), 50.0f);
    EXPECT_EQ(in.newexecDepth, 0u);
    EXPECT_EQ(in.scriptUsed, 0u);
    EXPECT_FALSE(boxes().empty());
    EXPECT_EQ(boxes().front(), err(std::string(msg::kAllocFailed) + " ... in newExecSub()\n"));
}

TEST_F(LanguageTest, ExecThatRunsItselfIsStopped) {
    run("var depth;");
    const std::string path = (dir_ / "loop.txt").string();
    file("loop.txt", "depth = depth + 1\nexec \"" + path + "\"\n");
    run("exec \"" + path + "\";");
    EXPECT_FLOAT_EQ(scalar("depth"), static_cast<float>(script::Interp::kMaxFileRuns));
    EXPECT_EQ(boxes().front(), err(msg::kAllocFailed));
}

TEST_F(LanguageTest, RepeatedNewexecDoesNotWearDownTheStores) {
    const std::string path = file("decl.sub", "var a, b[100]; vtx v[100]; def.mat m\n");
    for (int i = 0; i < 200; ++i) run("newexec \"" + path + "\";");
    EXPECT_TRUE(boxes().empty());
    EXPECT_EQ(in.sym.floatsUsed(), 0);
}

class SmallScriptBuffer : public LanguageTest {
  protected:
    SmallScriptBuffer() : LanguageTest(1000) {}
};

TEST_F(SmallScriptBuffer, NewexecScriptsMustFitTheBuffer) {
    run("var hits;");
    const std::string fits = file("fits.sub", "hits = hits + 1\n" + std::string(1000 - 16, ' '));
    run("newexec \"" + fits + "\";");
    EXPECT_TRUE(boxes().empty());
    EXPECT_FLOAT_EQ(scalar("hits"), 1.0f);
    const std::string big = file("big.sub", "hits = hits + 1\n" + std::string(1000 - 15, ' '));
    run("newexec \"" + big + "\";");
    EXPECT_EQ(boxes(),
              (Boxes{err(std::string(msg::kAllocFailed) + " ... in newExecSub()\n"), kRunFailed}));
    EXPECT_FLOAT_EQ(scalar("hits"), 1.0f);
    EXPECT_EQ(in.scriptUsed, 0u);
}

TEST_F(LanguageTest, ReportsAndNoOps) {
    run("version;");
    ASSERT_EQ(sink.log.size(), 1u);
    EXPECT_EQ(sink.log[0].title, "Message for System.");
    EXPECT_EQ(sink.log[0].text.rfind("***  About 'RIDA' system  ***\n\n", 0), 0u);
    EXPECT_NE(sink.log[0].text.find("  Version: 1.0 alpha-2 ( for PC-AT ) \n"), std::string::npos);
    sink.clear();
    run("param;");
    ASSERT_EQ(sink.log.size(), 1u);
    EXPECT_EQ(sink.log[0].text.rfind("*****  viewing & lighting parameter  *****\n\n", 0), 0u);
    EXPECT_NE(sink.log[0].text.find("drawing mode ( 0-3 ) 0\n\n"), std::string::npos);
    sink.clear();
    run("nosupport; nop; dummy;");
    EXPECT_EQ(statuses(),
              std::vector<std::string>{"\n **　すんまへん、まだサポートできてまへん・・・　** \n"});
    sink.clear();
    msg.setMessageMode(0);
    run("version; param; nosupport; print 1;");
    EXPECT_TRUE(sink.log.empty());
    msg.setMessageMode(1);
    for (const char* s : {"version 1;", "param 1;", "nosupport 1;", "resetnum 1;", "dummy 1;"}) {
        sink.clear();
        run(s);
        EXPECT_EQ(boxes(), (Boxes{err(msg::kTooManyParams), kRunFailed})) << s;
    }
}

}  // namespace
}  // namespace rz::test
