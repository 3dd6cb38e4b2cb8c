// Text: how bytes become characters, and how the font draws them into an opaque cell.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>

#include "render/raster.hpp"
#include "render/text_decoder.hpp"
#include "tests/render/raster_testing.hpp"

namespace rz::render {
namespace {

using testing::makeRaster;

constexpr std::string_view kTopViewUtf8 = "上面図";
constexpr std::string_view kTopViewShiftJis = "\x8f\xe3\x96\xca\x90\x7d";

TEST(TextDecoding, Utf8MustBeWellFormed) {
    struct Case {
        std::string_view bytes;
        bool valid;
    };
    const Case cases[] = {
        {"", true},
        {"scale:  500.000", true},
        {kTopViewUtf8, true},
        {"\xF0\x9F\x98\x80", true},   // beyond the basic plane
        {"\xC0\xAF", false},          // overlong '/'
        {"\xE0\x80\xAF", false},      // overlong
        {"\xED\xA0\x80", false},      // surrogate
        {"\xF4\x90\x80\x80", false},  // above U+10FFFF
        {"\xE4\xB8", false},          // cut short
        {"\x80", false},              // continuation without a lead
        {kTopViewShiftJis, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(isValidUtf8(c.bytes), c.valid) << ::testing::PrintToString(c.bytes);
}

TEST(TextDecoding, TextsThatAreNotUtf8AreReadAsShiftJis) {
    struct Case {
        std::string_view bytes;
        std::u32string_view characters;
    };
    const Case cases[] = {
        {"X \\", U"X \\"},
        {kTopViewUtf8, U"上面図"},
        {kTopViewShiftJis, U"上面図"},
        {"Y\xb1\xb2", U"Yｱｲ"},  // half-width katakana
        {"A\x80"
         "B",
         U"A\uFFFD"
         "B"},                          // no character in code page 932
        {"\x8f\xe3\x81", U"上\uFFFD"},  // lead byte at the end
        {std::string_view("\x8f\xe3\0Z", 4), std::u32string_view(U"上\0Z", 3)},
    };
    TextDecoder decoder;
    for (const Case& c : cases) {
        std::u32string decoded;
        decoder.decode(c.bytes, [&](char32_t ch) { decoded.push_back(ch); });
        EXPECT_EQ(decoded, c.characters) << ::testing::PrintToString(c.bytes);
    }
}

TEST(TextDecoding, LongShiftJisTextsAreDecodedWhole) {
    // More than one conversion chunk.
    std::string bytes;
    for (int i = 0; i < 300; ++i) bytes += kTopViewShiftJis;
    TextDecoder decoder;
    std::u32string decoded;
    decoder.decode(bytes, [&](char32_t ch) { decoded.push_back(ch); });
    ASSERT_EQ(decoded.size(), 900u);
    EXPECT_EQ(decoded.substr(897), U"上面図");
}

class Text : public ::testing::Test {
  protected:
    void SetUp() override {
        raster_ = makeRaster(120, 40);
        if (!raster_.loadFont()) GTEST_SKIP() << "no font found through fontconfig";
    }
    Raster raster_;
};

constexpr Rgb kGround{90, 90, 90};
constexpr Rgb kInk{104, 216, 255};
constexpr Rgb kPaper{0, 0, 0};

TEST_F(Text, ExtentGrowsWithTheStringAndIsOneCellHigh) {
    ASSERT_TRUE(raster_.loadFont());  // a second load replaces the first face cleanly
    const Size empty = raster_.textExtent("");
    EXPECT_EQ(empty.width, 0);
    EXPECT_GT(empty.height, 0);
    int previous = 0;
    for (std::string_view s : {"s", "sc", "sca", "scale: 500"}) {
        const Size extent = raster_.textExtent(s);
        EXPECT_GT(extent.width, previous) << s;
        EXPECT_EQ(extent.height, empty.height) << s;
        previous = extent.width;
    }
    EXPECT_EQ(raster_.textExtent(kTopViewShiftJis), raster_.textExtent(kTopViewUtf8));
}

TEST_F(Text, IpaGothicHasTheCellOfTheWindowsSystemFont) {
    // The views place their legends by 8 pixels a byte in a 16-pixel cell.
    if (raster_.fontFamily() != "IPAGothic") GTEST_SKIP() << "font is " << raster_.fontFamily();
    EXPECT_EQ(raster_.textExtent("scale: 500.000"), (Size{14 * 8, 16}));
    EXPECT_EQ(raster_.textExtent(kTopViewUtf8), (Size{3 * 16, 16}));
}

TEST_F(Text, GlyphsSitOnAnOpaqueCell) {
    raster_.fillRect({0, 0, 120, 40}, kGround);
    constexpr int kX = 5, kY = 6;
    const std::string_view text = "上面図 Xg";
    raster_.text(kX, kY, text, kInk, kPaper);
    const Size extent = raster_.textExtent(text);
    const Rect cell{kX, kY, kX + extent.width, kY + extent.height};
    int ink = 0, paper = 0;
    for (int y = 0; y < raster_.height(); ++y) {
        for (int x = 0; x < raster_.width(); ++x) {
            const Rgb p = *raster_.pixel(x, y);
            if (!cell.contains(x, y)) {
                // A glyph may reach beyond the font's ascent or descent; the background
                // never does.
                ASSERT_TRUE(p == kGround || p == kInk) << "outside the cell at " << x << ", " << y;
            } else if (p == kInk) {
                ++ink;
            } else {
                ASSERT_EQ(p, kPaper) << "inside the cell at " << x << ", " << y;
                ++paper;
            }
        }
    }
    // Three kanji and two letters cover a good part of their cell, and leave most of it.
    EXPECT_GT(ink, 60);
    EXPECT_GT(paper, ink);
}

TEST_F(Text, ShiftJisDrawsWhatUtf8Draws) {
    Raster other = makeRaster(120, 40);
    ASSERT_TRUE(other.loadFont());
    raster_.text(3, 4, kTopViewUtf8, kInk, kPaper);
    other.text(3, 4, kTopViewShiftJis, kInk, kPaper);
    EXPECT_FALSE(testing::pixelsNot(raster_).empty());
    EXPECT_TRUE(
        std::equal(raster_.pixels().begin(), raster_.pixels().end(), other.pixels().begin()));
}

TEST_F(Text, TextKeepsToTheClipRegionAndTheImage) {
    constexpr Rect kClip{10, 8, 30, 16};
    raster_.setClip(kClip);
    raster_.text(4, 2, "上面図", kInk, Rgb{1, 1, 1});
    raster_.resetClip();
    raster_.text(-11, -9, "正面図", kInk, Rgb{1, 1, 1});
    raster_.text(110, 30, "側面図", kInk, Rgb{1, 1, 1});
    const Size extent = raster_.textExtent("正面図");
    for (const auto& [x, y] : testing::pixelsNot(raster_)) {
        const bool inClip = kClip.contains(x, y);
        const bool inFirstCell = x < -11 + extent.width && y < -9 + extent.height;
        const bool inLastCell = x >= 110 && y >= 30;
        EXPECT_TRUE(inClip || inFirstCell || inLastCell) << x << ", " << y;
    }
    EXPECT_EQ(raster_.pixel(110, 30), (Rgb{1, 1, 1}));
}

}  // namespace
}  // namespace rz::render
