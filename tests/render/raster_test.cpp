// The image itself: sizing, pixel reads, rectangles with the Windows edge rule, and the
// clip region that every operation keeps to.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <functional>

#include "render/raster.hpp"
#include "tests/render/raster_testing.hpp"

namespace rz::render {
namespace {

using testing::makeRaster;
using testing::Pixels;
using testing::pixelsNot;

constexpr Rgb kWhite{255, 255, 255};

TEST(RasterImage, SizesAreCheckedAndAFailedResizeKeepsTheImage) {
    Raster raster = makeRaster(5, 4);
    EXPECT_EQ(raster.stride(), 15u);
    EXPECT_EQ(raster.pixels().size(), 60u);
    raster.fillRect({1, 1, 2, 2}, kWhite);

    const int bad[][2] = {{-1, 4}, {5, -1}, {Raster::kMaxSide + 1, 1}, {1, Raster::kMaxSide + 1}};
    for (const auto& size : bad) {
        EXPECT_EQ(raster.resize(size[0], size[1]), ImageStatus::BadSize)
            << size[0] << " x " << size[1];
    }
    EXPECT_EQ(raster.resize(5, 4), ImageStatus::Ok);
    EXPECT_EQ(pixelsNot(raster), (Pixels{{1, 1}}));

    raster.setClip({0, 0, 1, 1});
    ASSERT_EQ(raster.resize(7, 3), ImageStatus::Ok);
    EXPECT_EQ(raster.width(), 7);
    EXPECT_EQ(raster.height(), 3);
    EXPECT_TRUE(pixelsNot(raster).empty());
    EXPECT_EQ(raster.clip(), (Rect{0, 0, 7, 3}));

    ASSERT_EQ(raster.resize(0, 0), ImageStatus::Ok);
    raster.fillRect({-5, -5, 5, 5}, kWhite);
    raster.line(-3, -3, 3, 3, kWhite);
    EXPECT_TRUE(raster.pixels().empty());
}

TEST(RasterImage, PixelReadsAreTopDownRgbAndNothingOutside) {
    Raster raster = makeRaster(3, 2);
    raster.fillRect({2, 1, 3, 2}, Rgb{1, 2, 3});
    EXPECT_EQ(raster.pixel(2, 1), (Rgb{1, 2, 3}));
    const std::size_t last = 1 * raster.stride() + 2 * 3;
    EXPECT_EQ(raster.pixels()[last], 1);
    EXPECT_EQ(raster.pixels()[last + 2], 3);
    const int outside[][2] = {{-1, 0}, {0, -1}, {3, 0}, {0, 2}};
    for (const auto& p : outside) EXPECT_FALSE(raster.pixel(p[0], p[1]).has_value());
}

TEST(RasterImage, RectanglesLeaveTheirRightAndBottomEdgesOut) {
    struct Case {
        Rect rect;
        bool frame;
        Pixels pixels;  // drawn once each, so XOR on black shows them all
    };
    const Case cases[] = {
        {{1, 2, 4, 4}, false, {{1, 2}, {2, 2}, {3, 2}, {1, 3}, {2, 3}, {3, 3}}},
        {{1, 1, 5, 5},
         true,
         {{1, 1},
          {2, 1},
          {3, 1},
          {4, 1},
          {1, 2},
          {4, 2},
          {1, 3},
          {4, 3},
          {1, 4},
          {2, 4},
          {3, 4},
          {4, 4}}},
        {{2, 2, 3, 3}, true, {{2, 2}}},
        {{1, 3, 4, 4}, true, {{1, 3}, {2, 3}, {3, 3}}},
        {{3, 1, 4, 4}, true, {{3, 1}, {3, 2}, {3, 3}}},
        {{2, 1, 4, 3}, true, {{2, 1}, {3, 1}, {2, 2}, {3, 2}}},
        {{4, 4, 2, 6}, true, {}},
        {{4, 4, 6, 4}, false, {}},
    };
    for (const Case& c : cases) {
        Raster raster = makeRaster(6, 6);
        if (c.frame) {
            raster.frameRect(c.rect, kWhite, RasterOp::Xor);
        } else {
            raster.fillRect(c.rect, kWhite, RasterOp::Xor);
        }
        EXPECT_EQ(pixelsNot(raster), c.pixels)
            << (c.frame ? "frame " : "fill ") << c.rect.left << "," << c.rect.top << ","
            << c.rect.right << "," << c.rect.bottom;
    }
}

TEST(RasterImage, EveryOperationKeepsToTheClipRegion) {
    constexpr Rect kClip{6, 5, 20, 14};
    std::array<std::uint8_t, 4 * 4 * 3> bright{};
    bright.fill(200);
    const std::function<void(Raster&)> operations[] = {
        [](Raster& r) { r.line(-10, -10, 40, 30, kWhite); },
        [](Raster& r) {
            r.line(0, 9, 30, 9, kWhite, RasterOp::Xor, Rect{0, 0, 30, 30});
        },
        [](Raster& r) {
            r.fillRect({0, 0, 30, 30}, kWhite, RasterOp::Or);
        },
        [](Raster& r) {
            r.frameRect({2, 3, 25, 12}, kWhite);
        },
        [&](Raster& r) {
            r.blit({bright, 4, 4, 3}, {0, 0, 4, 4}, 4, 3);
        },
        [&](Raster& r) {
            r.blitThumbnail({bright, 4, 4, 3}, 18, 12);
        },
    };
    for (std::size_t i = 0; i < std::size(operations); ++i) {
        Raster raster = makeRaster(26, 20);
        raster.setClip({-100, -100, 100, 100});
        EXPECT_EQ(raster.clip(), (Rect{0, 0, 26, 20}));
        raster.setClip(kClip);
        operations[i](raster);
        const Pixels drawn = pixelsNot(raster);
        EXPECT_FALSE(drawn.empty()) << "operation " << i;
        for (const auto& [x, y] : drawn) EXPECT_TRUE(kClip.contains(x, y)) << "operation " << i;

        raster.resetClip();
        raster.line(0, 0, 26, 0, kWhite);
        EXPECT_EQ(raster.pixel(0, 0), kWhite);
    }
}

}  // namespace
}  // namespace rz::render
