#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "interp_fixture.hpp"
#include "script/messages.hpp"

namespace rz::test {
namespace {

namespace msg = script::msg;
using Boxes = std::vector<std::string>;

class ExpressionTest : public InterpTest {
  protected:
    ExpressionTest() {
        run("var a, b, c[3]; vtx v, w[2];");
        run("b = 4; c[0] = 10; c[1] = 20; c[2] = 30; v = (1, 2, 3); w[1] = (7, 8, 9);");
        sink.clear();
    }
};

TEST_F(ExpressionTest, ValuesAndBindingOrder) {
    struct Case {
        const char* expr;
        float value;
    };
    const std::vector<Case> cases = {
        {"1 + 2 * 3", 7},        {"(1 + 2) * 3", 9}, {"8 / 2 / 2", 2}, {"2 - 3 - 4", -5},
        {"-b * 2", -8},          {"1-2", 1},         {"v:y", 2},       {"b + c[1]", 24},
        {"c[1 + 1] - c[0]", 20}, {"w[1]:z", 9},      {"ON + 1", 2},    {"-v:x", -1},
        {"c[2.9]", 30},          {"((((b))))", 4},   {"b * -1", -4},   {"R.MIN", -180},
    };
    for (const Case& c : cases) {
        sink.clear();
        run(std::string("a = ") + c.expr + ";");
        EXPECT_TRUE(boxes().empty()) << c.expr;
        EXPECT_FLOAT_EQ(scalar("a"), c.value) << c.expr;
    }
}

TEST_F(ExpressionTest, ErrorsLeaveTheTargetAlone) {
    struct Case {
        const char* statement;
        std::string_view message;
    };
    const std::vector<Case> cases = {
        {"a = v;", msg::kTypeCorrectly},       {"a = (1 + 2;", msg::kNoCloseParen},
        {"a = ;", msg::kTypeCorrectly},        {"a = 1 2;", msg::kTooManyParams},
        {"a = c[3];", msg::kIndexOutOfRange},  {"c[3] = 1;", msg::kIndexOutOfRange},
        {"c[-1] = 1;", msg::kIndexOutOfRange}, {"a = c 1;", msg::kNoOpenBracket},
        {"a = c[1;", msg::kNoCloseBracket},    {"a = -(1);", msg::kTypeCorrectly},
        {"a = \"s\";", msg::kTypeCorrectly},   {"a 1;", msg::kTypeCorrectly},
        {"a == 1;", msg::kTypeCorrectly},      {"a = v:q;", msg::kTypeCorrectly},
    };
    for (const Case& c : cases) {
        run("a = 42;");
        sink.clear();
        run(c.statement);
        EXPECT_EQ(boxes(), Boxes{err(c.message)}) << c.statement;
        EXPECT_FLOAT_EQ(scalar("a"), 42.0f) << c.statement;
    }
}

TEST_F(ExpressionTest, CompoundAssignments) {
    run("a = 10; a += 5; a -= 3; a *= 2; a /= 4;");
    EXPECT_FLOAT_EQ(scalar("a"), 6.0f);
    run("c[1] += c[0] * 2;");
    EXPECT_FLOAT_EQ(in.sym.array(in.sym.lookup("c"))[1], 40.0f);
    run("a = 1 / 0;");
    EXPECT_TRUE(boxes().empty());
    EXPECT_TRUE(std::isinf(scalar("a")));
}

TEST_F(ExpressionTest, VectorAssignments) {
    struct Case {
        const char* statement;
        Vec3 expected;
    };
    const std::vector<Case> cases = {
        {"v = (1, 2, 3);", {1, 2, 3}},
        {"v += (1, 1, 1);", {2, 3, 4}},
        {"v *= (2, 2, 2);", {4, 6, 8}},
        {"v -= w[1];", {-3, -2, -1}},
        {"v /= (-1, 2, -4);", {3, -1, 0.25f}},
        {"v = (b, b * 2, c[2]);", {4, 8, 30}},
        {"w[0] = v;", {4, 8, 30}},
    };
    for (const Case& c : cases) {
        run(c.statement);
        const Vec3 got = std::string(c.statement).rfind("w[0]", 0) == 0
                             ? in.sym.vectorArray(in.sym.lookup("w"))[0]
                             : vector("v");
        EXPECT_EQ(got, c.expected) << c.statement;
    }
    EXPECT_TRUE(boxes().empty());
}

TEST_F(ExpressionTest, VectorOperandErrors) {
    struct Case {
        const char* statement;
        std::string_view message;
    };
    const std::vector<Case> cases = {
        {"v = (1 2 3);", msg::kBadSeparator},  {"v = 5;", msg::kNoOpenParen},
        {"v = (1, 2, 3;", msg::kNoCloseParen}, {"v = (1, 2, 3) 4;", msg::kTooManyParams},
        {"v = w[5];", msg::kIndexOutOfRange},
    };
    for (const Case& c : cases) {
        run("v = (9, 9, 9);");
        sink.clear();
        run(c.statement);
        EXPECT_EQ(boxes(), Boxes{err(c.message)}) << c.statement;
        EXPECT_EQ(vector("v"), (Vec3{9, 9, 9})) << c.statement;
    }
}

TEST_F(ExpressionTest, DeepExpressionsAreRefusedNotOverrun) {
    // 60 pending values: more than the value stack holds.
    std::string deep = "a = 1";
    for (int i = 0; i < 60; ++i) deep += " + (1";
    deep += std::string(60, ')') + ";";
    run("a = 42;");
    run(deep);
    EXPECT_EQ(boxes(), Boxes{err(msg::kAllocFailed)});
    EXPECT_FLOAT_EQ(scalar("a"), 42.0f);

    // Deep parentheses alone must not exhaust the native stack either.
    sink.clear();
    run("a = " + std::string(100000, '(') + "1" + std::string(100000, ')') + ";");
    EXPECT_EQ(boxes(), Boxes{err(msg::kAllocFailed)});

    // 40 pending values fit.
    sink.clear();
    std::string fits = "a = 0";
    for (int i = 0; i < 40; ++i) fits += " + (1";
    fits += std::string(40, ')') + ";";
    run(fits);
    EXPECT_TRUE(boxes().empty());
    EXPECT_FLOAT_EQ(scalar("a"), 40.0f);
}

}  // namespace
}  // namespace rz::test
