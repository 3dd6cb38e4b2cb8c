#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "interp_fixture.hpp"
#include "script/messages.hpp"

namespace rz::test {
namespace {

namespace msg = script::msg;
using Boxes = std::vector<std::string>;
using script::Tok;

class DeclarationTest : public InterpTest {};

TEST_F(DeclarationTest, DeclaresScalarsArraysVectors) {
    run("var a, b[10], c; vtx p, q[4]; var d[2.9];");
    EXPECT_TRUE(boxes().empty());
    EXPECT_EQ(kindOf("a"), Tok::Scalar);
    EXPECT_FLOAT_EQ(scalar("a"), 0.0f);
    EXPECT_EQ(kindOf("b"), Tok::Array);
    EXPECT_EQ(in.sym[in.sym.lookup("b")].count, 10);
    EXPECT_EQ(kindOf("c"), Tok::Scalar);
    EXPECT_EQ(kindOf("p"), Tok::Vector);
    EXPECT_EQ(kindOf("q"), Tok::VectorArray);
    EXPECT_EQ(in.sym[in.sym.lookup("q")].count, 4);
    EXPECT_EQ(in.sym[in.sym.lookup("d")].count, 2);
    for (float f : in.sym.array(in.sym.lookup("b"))) EXPECT_EQ(f, 0.0f);
}

TEST_F(DeclarationTest, Refusals) {
    struct Case {
        const char* statement;
        std::string_view message;
    };
    run("var taken;");
    const std::vector<Case> cases = {
        {"var taken;", msg::kBadIdentifier},     {"var wire;", msg::kBadIdentifier},
        {"var WIRE;", msg::kBadIdentifier},      {"var b[0];", msg::kBadArray},
        {"var b[-1];", msg::kBadArray},          {"var b[0.5];", msg::kBadArray},
        {"var b[taken];", msg::kConstantOnly},   {"var b[3;", msg::kNoCloseBracket},
        {"var b 3;", msg::kNoOpenBracket},       {"vtx taken;", msg::kBadIdentifier},
        {"def.mat taken;", msg::kBadIdentifier}, {"def.mat m1 m2;", msg::kBadSeparator},
        {"var 3;", msg::kBadIdentifier},         {"def.mat @nothing;", msg::kBadIdentifier},
        {"var @nothing;", msg::kBadIdentifier},  {"vtx @nothing;", msg::kBadIdentifier},
    };
    for (const Case& c : cases) {
        sink.clear();
        run(c.statement);
        EXPECT_EQ(boxes(), (Boxes{err(c.message), kRunFailed})) << c.statement;
    }
}

TEST_F(DeclarationTest, DeclarationsBeforeAFailureRemain) {
    run("var x1, x2, wire, x3;");
    EXPECT_EQ(kindOf("x1"), Tok::Scalar);
    EXPECT_EQ(kindOf("x2"), Tok::Scalar);
    EXPECT_EQ(kindOf("x3"), Tok::Eof);
}

TEST_F(DeclarationTest, MentionedWordsCanStillBeDeclared) {
    run("later = 1;");
    EXPECT_EQ(kindOf("later"), Tok::Undefined);
    run("var later; later = 3;");
    EXPECT_FLOAT_EQ(scalar("later"), 3.0f);
}

TEST_F(DeclarationTest, MatrixStoreRefusesWithoutStopping) {
    // The language's own start-up registers no matrices; a database adds two.
    int declared = 0;
    for (int i = 0; i < 120; ++i) {
        sink.clear();
        run("def.mat m" + std::to_string(i) + ";");
        if (!boxes().empty()) break;
        ++declared;
    }
    EXPECT_EQ(declared, script::SymbolTable::kMatrixCapacity);
    EXPECT_EQ(boxes(), (Boxes{err(msg::kAllocFailed), " ... in affine (def_mat)\n", kRunFailed}));
    EXPECT_EQ(kindOf("m0"), Tok::Matrix);
}

TEST_F(DeclarationTest, ArraysUpToTheStoreFit) {
    run("var big[500], more[499];");
    EXPECT_TRUE(boxes().empty());
    EXPECT_EQ(kindOf("more"), Tok::Array);
}

using DeclarationDeathTest = DeclarationTest;

TEST_F(DeclarationDeathTest, FloatStoreOverflowEndsTheProgram) {
    run("var big[500], more[499];");
    EXPECT_EXIT(run("var one[1];"), ::testing::ExitedWithCode(255), "RIDA now down!");
}

TEST_F(DeclarationDeathTest, VectorStoreOverflowEndsTheProgram) {
    // One vector is the vector operand's work vector.
    run("vtx many[998];");
    EXPECT_TRUE(boxes().empty());
    EXPECT_EXIT(run("vtx one;"), ::testing::ExitedWithCode(255), "RIDA now down!");
}

TEST_F(DeclarationTest, InstallVectorOverflowTakesTheSymbolBack) {
    run("vtx many[998];");
    const int count = in.sym.count();
    EXPECT_EQ(in.sym.installVector("late.v", 1, 2, 3), script::SymbolTable::kNone);
    EXPECT_EQ(in.sym.count(), count);
    EXPECT_EQ(in.sym.lookup("late.v"), script::SymbolTable::kNone);
    EXPECT_EQ(boxes(), Boxes{err(msg::kVtxOverflow)});
}

TEST_F(DeclarationTest, SymbolTableOverflowIsReported) {
    int made = 0;
    while (in.sym.count() < script::SymbolTable::kMaxSymbols) {
        run("w" + std::to_string(made++) + ";");
    }
    sink.clear();
    run("one.more;");
    EXPECT_EQ(boxes(), (Boxes{err(msg::kSymbolOverflow), err(msg::kTypeCorrectly)}));
    EXPECT_EQ(in.sym.lookup("one.more"), script::SymbolTable::kNone);
    // Known words still work.
    sink.clear();
    run("nop;");
    EXPECT_TRUE(boxes().empty());
}

TEST_F(DeclarationTest, NameAreaOverflowIsReported) {
    // Long names fill the name area before the symbol table is full.
    const std::string stem(1000, 'n');
    int made = 0;
    while (boxes().empty() && made < 200) run("var " + stem + std::to_string(made++) + ";");
    EXPECT_EQ(boxes().front(), err(msg::kNameAreaFull));
    EXPECT_LT(in.sym.count(), script::SymbolTable::kMaxSymbols);
}

}  // namespace
}  // namespace rz::test
