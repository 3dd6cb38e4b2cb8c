// Lines: the pixel rule in every octant, the excluded end pixel, the raster operations, and
// clipping that draws exactly the unclipped line's pixels however far away its ends lie.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <random>

#include "render/raster.hpp"
#include "tests/render/raster_testing.hpp"

namespace rz::render {
namespace {

using testing::makeRaster;
using testing::Pixels;
using testing::pixelsNot;
using testing::sorted;

constexpr Rgb kWhite{255, 255, 255};

TEST(Line, PixelsInEveryOctantLeaveTheEndOut) {
    // From (0, 0) by (dx, dy); offsets of the pixels drawn. Minor steps come where the
    // exact line passes half a pixel, rounded towards the end point.
    struct Case {
        int dx, dy;
        Pixels pixels;
    };
    const Case cases[] = {
        {5, 2, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}}},
        {2, 5, {{0, 0}, {0, 1}, {1, 2}, {1, 3}, {2, 4}}},
        {-2, 5, {{0, 0}, {0, 1}, {-1, 2}, {-1, 3}, {-2, 4}}},
        {-5, 2, {{0, 0}, {-1, 0}, {-2, 1}, {-3, 1}, {-4, 2}}},
        {-5, -2, {{0, 0}, {-1, 0}, {-2, -1}, {-3, -1}, {-4, -2}}},
        {-2, -5, {{0, 0}, {0, -1}, {-1, -2}, {-1, -3}, {-2, -4}}},
        {2, -5, {{0, 0}, {0, -1}, {1, -2}, {1, -3}, {2, -4}}},
        {5, -2, {{0, 0}, {1, 0}, {2, -1}, {3, -1}, {4, -2}}},
        {4, 0, {{0, 0}, {1, 0}, {2, 0}, {3, 0}}},
        {0, -3, {{0, 0}, {0, -1}, {0, -2}}},
        {3, 3, {{0, 0}, {1, 1}, {2, 2}}},
        {-3, 3, {{0, 0}, {-1, 1}, {-2, 2}}},
        {4, 1, {{0, 0}, {1, 0}, {2, 1}, {3, 1}}},
        {-4, -1, {{0, 0}, {-1, 0}, {-2, -1}, {-3, -1}}},
        {1, 0, {{0, 0}}},
        {0, 0, {}},
    };
    constexpr int kOrigin = 10;
    for (const Case& c : cases) {
        Raster raster = makeRaster(21, 21);
        raster.line(kOrigin, kOrigin, kOrigin + c.dx, kOrigin + c.dy, kWhite);
        Pixels expected;
        for (const auto& [x, y] : c.pixels) expected.emplace_back(kOrigin + x, kOrigin + y);
        EXPECT_EQ(pixelsNot(raster), sorted(expected)) << "dx " << c.dx << " dy " << c.dy;
    }
}

TEST(Line, RasterOperationsCombineWithTheImage) {
    constexpr Rgb kGround{0x0F, 0xF0, 0x55};
    constexpr Rgb kPen{0x3C, 0x33, 0xAA};
    struct Case {
        RasterOp op;
        Rgb result;
    };
    const Case cases[] = {
        {RasterOp::Copy, kPen},
        {RasterOp::Or, {0x3F, 0xF3, 0xFF}},
        {RasterOp::And, {0x0C, 0x30, 0x00}},
        {RasterOp::Xor, {0x33, 0xC3, 0xFF}},
    };
    for (const Case& c : cases) {
        // Lines and fills pick their loops from separate tables; both must honour the op.
        Raster raster = makeRaster(4, 2);
        raster.fillRect({0, 0, 4, 2}, kGround);
        raster.line(0, 0, 4, 0, kPen, c.op);
        raster.fillRect({0, 1, 4, 2}, kPen, c.op);
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(*raster.pixel(x, 0), c.result) << "line, op " << static_cast<int>(c.op);
            EXPECT_EQ(*raster.pixel(x, 1), c.result) << "fill, op " << static_cast<int>(c.op);
        }
    }
}

TEST(Line, XorTwiceLeavesNoTraceAndAClosedPolylineDrawsEachCornerOnce) {
    Raster raster = makeRaster(64, 48);
    for (int y = 0; y < 48; ++y) {
        for (int x = 0; x < 64; ++x) {
            raster.fillRect({x, y, x + 1, y + 1}, Rgb{static_cast<std::uint8_t>(x * 4),
                                                      static_cast<std::uint8_t>(y * 5), 77});
        }
    }
    const std::vector<std::uint8_t> before(raster.pixels().begin(), raster.pixels().end());
    const int polygon[][2] = {{3, 4}, {60, 9}, {41, 45}, {-20, 30}, {3, 4}};
    for (int pass = 0; pass < 2; ++pass) {
        for (int i = 0; i + 1 < 5; ++i) {
            raster.line(polygon[i][0], polygon[i][1], polygon[i + 1][0], polygon[i + 1][1],
                        Rgb{200, 100, 50}, RasterOp::Xor);
        }
    }
    EXPECT_TRUE(std::equal(before.begin(), before.end(), raster.pixels().begin()));

    // On black, a rubber-band square drawn once shows all of its outline: no vertex is hit
    // twice (which XOR would erase).
    Raster band = makeRaster(16, 16);
    const int square[][2] = {{2, 2}, {12, 2}, {12, 9}, {2, 9}, {2, 2}};
    for (int i = 0; i + 1 < 5; ++i) {
        band.line(square[i][0], square[i][1], square[i + 1][0], square[i + 1][1], kWhite,
                  RasterOp::Xor);
    }
    Pixels outline;
    for (int y = 2; y <= 9; ++y) {
        for (int x = 2; x <= 12; ++x) {
            if (y == 2 || y == 9 || x == 2 || x == 12) outline.emplace_back(x, y);
        }
    }
    EXPECT_EQ(pixelsNot(band), outline);
}

// Draws the line into an image big enough to hold it whole, shifted by `shift`, and
// gives the pixels that fall inside `clip` once shifted back.
Pixels unclippedPixelsWithin(int x0, int y0, int x1, int y1, int shift, int size,
                             const Rect& clip) {
    Raster whole = makeRaster(size, size);
    whole.line(x0 + shift, y0 + shift, x1 + shift, y1 + shift, kWhite);
    Pixels inside;
    for (const auto& [x, y] : pixelsNot(whole)) {
        if (clip.contains(x - shift, y - shift)) inside.emplace_back(x - shift, y - shift);
    }
    return inside;
}

TEST(Line, ClippingKeepsExactlyTheUnclippedPixels) {
    constexpr Rect kClip{5, 7, 50, 40};
    std::mt19937 random(20260501);
    std::uniform_int_distribution<int> coordinate(-60, 110);
    for (int n = 0; n < 1000; ++n) {
        const int x0 = coordinate(random), y0 = coordinate(random);
        const int x1 = coordinate(random), y1 = coordinate(random);
        Raster clipped = makeRaster(64, 48);
        clipped.setClip(kClip);
        clipped.line(x0, y0, x1, y1, kWhite);
        ASSERT_EQ(pixelsNot(clipped), unclippedPixelsWithin(x0, y0, x1, y1, 64, 176, kClip))
            << "(" << x0 << ", " << y0 << ") to (" << x1 << ", " << y1 << ")";
    }
}

TEST(Line, AClippedLineIsCutToItsRectangleAndTheClipRegion) {
    Raster raster = makeRaster(40, 40);
    raster.setClip({0, 0, 30, 40});
    raster.line(-5, 20, 45, 20, kWhite, RasterOp::Copy, Rect{10, 0, 40, 40});
    Pixels expected;
    for (int x = 10; x < 30; ++x) expected.emplace_back(x, 20);
    EXPECT_EQ(pixelsNot(raster), expected);
}

TEST(Line, FarAwayEndsDrawTheSamePixelsAsNearOnes) {
    // A line through P from P − K·(a, b) to P + K·(a, b) takes the same pixels near P for
    // every K, so a line with ends a thousand million pixels away must look, inside the
    // image, like a short one drawn whole.
    struct Direction {
        int a, b;
    };
    const Direction directions[] = {{3, 1}, {1, 3},  {-2, 5}, {7, -4}, {-5, -3},
                                    {1, 1}, {1, -1}, {1, 0},  {0, -1}, {999, 1000}};
    constexpr int kSize = 64;
    constexpr int kP = 32;
    constexpr Rect kImage{0, 0, kSize, kSize};
    for (const Direction& d : directions) {
        const int k = 1'000'000'000 / std::max(std::abs(d.a), std::abs(d.b));
        Raster far = makeRaster(kSize, kSize);
        far.line(kP - k * d.a, kP - k * d.b, kP + k * d.a, kP + k * d.b, kWhite);
        // The short line reaches past the image on both sides; it is drawn whole into a
        // larger image with P moved by `shift`.
        const int reach = std::max(std::abs(d.a), std::abs(d.b));
        const int nearK = (kSize + reach - 1) / reach;
        const int shift = nearK * reach;
        const Pixels expected =
            unclippedPixelsWithin(kP - nearK * d.a, kP - nearK * d.b, kP + nearK * d.a,
                                  kP + nearK * d.b, shift, 2 * shift + kSize, kImage);
        EXPECT_FALSE(expected.empty());
        EXPECT_EQ(pixelsNot(far), expected) << "direction " << d.a << ", " << d.b;
    }
}

TEST(Line, TheWholeIntRangeIsSafe) {
    Raster raster = makeRaster(8, 8);
    raster.line(INT_MIN, INT_MIN, INT_MAX, INT_MAX, kWhite);
    raster.line(INT_MAX, 5, INT_MIN, 5, kWhite);
    Pixels expected;
    for (int i = 0; i < 8; ++i) expected.emplace_back(i, i);
    for (int x = 0; x < 8; ++x) {
        if (x != 5) expected.emplace_back(x, 5);
    }
    EXPECT_EQ(pixelsNot(raster), sorted(expected));
}

}  // namespace
}  // namespace rz::render
