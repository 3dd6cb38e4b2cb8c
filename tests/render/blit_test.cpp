// Image blits from the C-Buffer and textures, with steps, cut source rectangles and
// malformed sources, and the thumbnail rule.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "render/raster.hpp"
#include "tests/render/raster_testing.hpp"

namespace rz::render {
namespace {

using testing::makeRaster;
using testing::Pixels;

// A width × height source whose pixel (x, y) has red 10·x + y + 1, green 100 + x, blue
// 200 + y and, with four bytes, a fourth byte of 99 that must never show.
std::vector<std::uint8_t> source(int width, int height, int bytesPerPixel) {
    std::vector<std::uint8_t> bytes;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint8_t all[] = {static_cast<std::uint8_t>(10 * x + y + 1),
                                        static_cast<std::uint8_t>(100 + x),
                                        static_cast<std::uint8_t>(200 + y), 99};
            bytes.insert(bytes.end(), all, all + bytesPerPixel);
        }
    }
    return bytes;
}

Rgb expectedPixel(int x, int y, int bytesPerPixel) {
    const auto red = static_cast<std::uint8_t>(10 * x + y + 1);
    if (bytesPerPixel == 1) return {red, red, red};
    return {red, static_cast<std::uint8_t>(100 + x), static_cast<std::uint8_t>(200 + y)};
}

TEST(Blit, CopiesEveryStepthPixelOfTheSourceRectangle) {
    struct Case {
        int bytesPerPixel;
        Rect from;
        int step;
    };
    const Case cases[] = {
        {1, {0, 0, 6, 5}, 1},
        {3, {0, 0, 6, 5}, 1},
        {4, {0, 0, 6, 5}, 1},
        {3, {1, 2, 5, 5}, 1},
        {4, {1, 0, 6, 5}, 2},
        {1, {0, 1, 6, 5}, 3},
        // Parts of the rectangle outside the source are skipped, the mapping kept.
        {3, {-3, -1, 9, 8}, 1},
        {4, {-3, -2, 9, 8}, 2},
    };
    constexpr int kWidth = 6, kHeight = 5, kToX = 4, kToY = 3;
    for (const Case& c : cases) {
        const std::vector<std::uint8_t> bytes = source(kWidth, kHeight, c.bytesPerPixel);
        Raster raster = makeRaster(24, 20);
        ASSERT_TRUE(
            raster.blit({bytes, kWidth, kHeight, c.bytesPerPixel}, c.from, kToX, kToY, c.step));
        for (int y = 0; y < raster.height(); ++y) {
            for (int x = 0; x < raster.width(); ++x) {
                const int sx = c.from.left + (x - kToX) * c.step;
                const int sy = c.from.top + (y - kToY) * c.step;
                const bool copied = x >= kToX && y >= kToY && sx < c.from.right &&
                                    sy < c.from.bottom && sx >= 0 && sy >= 0 && sx < kWidth &&
                                    sy < kHeight;
                const Rgb expected = copied ? expectedPixel(sx, sy, c.bytesPerPixel) : Rgb{};
                ASSERT_EQ(*raster.pixel(x, y), expected)
                    << c.bytesPerPixel << " bytes, step " << c.step << ", at " << x << ", " << y;
            }
        }
    }
}

TEST(Blit, MalformedSourcesDrawNothing) {
    const std::vector<std::uint8_t> bytes = source(4, 3, 3);
    struct Case {
        const char* what;
        SourceImage image;
        int step;
    };
    const Case cases[] = {
        {"two bytes a pixel", {bytes, 4, 3, 2}, 1},
        {"too few bytes", {std::span(bytes).first(bytes.size() - 1), 4, 3, 3}, 1},
        {"more rows than bytes", {bytes, 4, 4, 3}, 1},
        {"negative width", {bytes, -4, 3, 3}, 1},
        {"step 0", {bytes, 4, 3, 3}, 0},
    };
    for (const Case& c : cases) {
        Raster raster = makeRaster(8, 8);
        EXPECT_FALSE(raster.blit(c.image, {0, 0, 4, 3}, 0, 0, c.step)) << c.what;
        EXPECT_TRUE(testing::pixelsNot(raster).empty()) << c.what;
    }
}

TEST(Blit, ThumbnailsFitIn160By120) {
    struct Case {
        int width, height, step;
    };
    const Case cases[] = {
        {0, 0, 1},     {1, 1, 1},    {160, 120, 1}, {161, 120, 2}, {160, 121, 2},
        {320, 240, 2}, {321, 10, 3}, {640, 480, 4}, {100, 600, 5}, {2000, 1500, 13},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(thumbnailStep(c.width, c.height), c.step) << c.width << " x " << c.height;
    }

    const std::vector<std::uint8_t> grey(481 * 300, 128);
    Raster raster = makeRaster(200, 150);
    ASSERT_TRUE(raster.blitThumbnail({grey, 481, 300, 1}, 10, 20));
    // Step 4 takes columns 0, 4, ..., 480 and rows 0, 4, ..., 296.
    const Pixels drawn = testing::pixelsNot(raster);
    ASSERT_EQ(drawn.size(), 121u * 75u);
    EXPECT_EQ(drawn.front(), (std::pair{10, 20}));
    EXPECT_EQ(drawn.back(), (std::pair{130, 94}));
    EXPECT_EQ(raster.pixel(50, 50), (Rgb{128, 128, 128}));
}

}  // namespace
}  // namespace rz::render
