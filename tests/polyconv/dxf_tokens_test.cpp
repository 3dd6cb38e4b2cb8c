#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "polyconv/dxf_tokens.hpp"
#include "polyconv/number_format.hpp"

namespace rz::polyconv {
namespace {

std::vector<std::string> all_lines(std::string_view text) {
    LineTokenizer tokens(text);
    std::vector<std::string> lines;
    while (const auto line = tokens.next_line()) lines.emplace_back(*line);
    return lines;
}

struct LinesCase {
    const char* name;
    std::string text;
    std::vector<std::string> lines;
};

TEST(LineTokenizer, SplitsLinesTheWayCadProgramsWriteThem) {
    const std::vector<LinesCase> cases = {
        {"LF", "  0\nSECTION\n", {"0", "SECTION"}},
        {"CR LF and AutoCAD indentation",
         "  0\r\nSECTION\r\n 10\r\n1.5\r\n",
         {"0", "SECTION", "10", "1.5"}},
        {"no newline after the last line", "0\nEOF", {"0", "EOF"}},
        {"value with blanks stays whole", "  8\nMesh Layer 1\n", {"8", "Mesh Layer 1"}},
        {"empty value line is kept", "  1\n\n  0\n", {"1", "", "0"}},
        {"tabs and trailing blanks", "\t70 \t\n   64  \n", {"70", "64"}},
        {"UTF-8 byte order mark", "\xEF\xBB\xBF  0\nSECTION\n", {"0", "SECTION"}},
        {"lone CR line ends", "  0\rSECTION\r  2\r", {"0", "SECTION", "2"}},
        {"empty text", "", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(all_lines(c.text), c.lines) << c.name;
}

TEST(LineTokenizer, GroupsSkipBlankLinesBeforeTheCodeButNotTheValue) {
    LineTokenizer tokens("\n\n  1\n\n\n 10\n2.5\n  0");
    const auto empty_value = next_group(tokens);
    ASSERT_TRUE(empty_value);
    EXPECT_EQ(empty_value->code, 1);
    EXPECT_EQ(empty_value->value, "");
    const auto coordinate = next_group(tokens);
    ASSERT_TRUE(coordinate);
    EXPECT_EQ(coordinate->code, 10);
    EXPECT_EQ(coordinate->value, "2.5");
    // A code without its value is the end of the data, not a group.
    EXPECT_FALSE(next_group(tokens));
}

TEST(ParseInteger, ConvertsLikeAtoiWithoutOverflow) {
    const std::vector<std::pair<std::string, int>> cases = {
        {"0", 0},
        {"  70", 70},
        {"-5", -5},
        {"+7", 7},
        {"12abc", 12},
        {"abc", 0},
        {"", 0},
        {"1.9", 1},
        {"99999999999999999999", INT_MAX},
        {"-99999999999", INT_MIN},
        {"2147483647", INT_MAX},
        {"-2147483648", INT_MIN},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(parse_integer(text), expected) << text;
}

TEST(ParseValue, ConvertsLikeAtofButRejectsNumbersThatCannotBeWritten) {
    struct Case {
        std::string text;
        double value;
        bool valid;
    };
    const std::vector<Case> cases = {
        {"1.5", 1.5, true},  {"-0.5", -0.5, true},  {"+2", 2.0, true},     {"1e3", 1000.0, true},
        {".5", 0.5, true},   {"5.", 5.0, true},     {"abc", 0.0, true},    {"12abc", 12.0, true},
        {"1,5", 1.0, true},  {"1e-400", 0.0, true}, {"1e999", 0.0, false}, {"-1e999", 0.0, false},
        {"nan", 0.0, false}, {"inf", 0.0, false},   {"4e304", 0.0, false}, {"3e304", 3e304, true},
    };
    for (const auto& c : cases) {
        const ParsedValue parsed = parse_value(c.text);
        EXPECT_EQ(parsed.valid, c.valid) << c.text;
        EXPECT_DOUBLE_EQ(parsed.value, c.value) << c.text;
    }
}

std::string printf_fixed(double value) {
    std::array<char, 400> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%f", value);
    return buffer.data();
}

TEST(NumberFormat, WritesExactlyWhatPrintfPercentFWrites) {
    std::vector<double> values = {0.0,       -0.0,     1.0,       -1.0,     0.5,      0.0000005,
                                  0.0000015, 2.5e-7,   -2.5e-7,   1e300,    -1.7e308, 5000.0,
                                  1.0 / 3.0, 123456.5, 0.1234565, 9.9999995};
    std::mt19937_64 random(20240611);
    for (const double range : {1e-5, 1.0, 1e4, 1e8, 2e9, 1e15}) {
        std::uniform_real_distribution<double> spread(-range, range);
        for (int i = 0; i < 2000; ++i) values.push_back(spread(random));
    }
    // Values next to the halfway point between two printed numbers, where rounding is decided.
    std::uniform_int_distribution<long long> micro(-4000000000LL, 4000000000LL);
    for (int i = 0; i < 4000; ++i) {
        const double tie = (static_cast<double>(micro(random)) + 0.5) / 1e6;
        values.push_back(tie);
        values.push_back(std::nextafter(tie, 1e300));
        values.push_back(std::nextafter(tie, -1e300));
    }
    for (const double v : values) EXPECT_EQ(fixed_text(v), printf_fixed(v)) << v;
    EXPECT_EQ(integer_text(-3), "-3");
    EXPECT_EQ(integer_text(40000), "40000");
}

}  // namespace
}  // namespace rz::polyconv
