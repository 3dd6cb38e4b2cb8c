// Projection of segments into a pane: cut at the perspective near limit, kept to the pane
// when they cross its edges, and turned into whole pixels without losing their direction.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

#include "render/pane_projection.hpp"
#include "tests/render/raster_testing.hpp"

namespace rz::render {
namespace {

// A 540-pixel perspective pane at (79, 12) looking down -z from (0, 0, 1000) with a 90
// degree field: screen x = 79 + (x / depth + 1) * 270, screen y = 12 + (0.75 - y / depth) * 270.
Pane perspectivePane() {
    return {{79, 12, 618, 416}, DisplayMode::Perspective, {}};
}

CameraView downZ() {
    db::Camera c;
    c.pos = {0, 0, 1000};
    c.upper = {0, 1, 0};
    c.zoom = 90;
    return setupView(c);
}

TEST(Clipping, PerspectiveSegmentsAreCutAtTheNearLimit) {
    const PaneProjector p(perspectivePane(), downZ());
    struct Case {
        const char* what;
        Vec3d a;
        Vec3d b;
        std::optional<ScreenSegment> expected;
    };
    const Case cases[] = {
        {"both in front", {100, 0, 0}, {-100, 270, 500}, ScreenSegment{{376, 214.5}, {295, 68.7}}},
        {"crossing: drawn up to depth 500",
         {100, 0, 0},
         {100, 0, 700},
         ScreenSegment{{376, 214.5}, {403, 214.5}}},
        {"crossing the other way",
         {100, 0, 700},
         {100, 0, 0},
         ScreenSegment{{403, 214.5}, {376, 214.5}}},
        {"both nearer than 500", {100, 0, 600}, {0, 0, 900}, std::nullopt},
        {"behind the eye", {0, 0, 2000}, {10, 0, 1500}, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::optional<ScreenSegment> s = p.segment(p.map(c.a), p.map(c.b));
        ASSERT_EQ(s.has_value(), c.expected.has_value());
        if (!s) continue;
        EXPECT_NEAR(s->a.x, c.expected->a.x, 1e-9);
        EXPECT_NEAR(s->a.y, c.expected->a.y, 1e-9);
        EXPECT_NEAR(s->b.x, c.expected->b.x, 1e-9);
        EXPECT_NEAR(s->b.y, c.expected->b.y, 1e-9);
    }
}

TEST(Clipping, ScreenPointsBecomeThePixelsHoldingThem) {
    const std::optional<PixelSegment> p = toPixels({{10.5, 20.9}, {-3.2, 7}});
    ASSERT_TRUE(p);
    EXPECT_EQ(p->x0, 10);
    EXPECT_EQ(p->y0, 20);
    EXPECT_EQ(p->x1, -4);
    EXPECT_EQ(p->y1, 7);
}

TEST(Clipping, FarEndsAreCutOnTheSegmentsOwnLine) {
    constexpr int kBound = 1000000000;
    // A diagonal reaching 10^12 stays a diagonal.
    const std::optional<PixelSegment> diagonal = toPixels({{0, 0}, {1e12, 1e12}});
    ASSERT_TRUE(diagonal);
    EXPECT_EQ(diagonal->x0, 0);
    EXPECT_EQ(diagonal->x1, diagonal->y1);
    EXPECT_GE(diagonal->x1, kBound - 1);
    // A row through 10^15 on both sides stays that row.
    const std::optional<PixelSegment> row = toPixels({{-1e15, 5}, {1e15, 5}});
    ASSERT_TRUE(row);
    EXPECT_EQ(row->y0, 5);
    EXPECT_EQ(row->y1, 5);
    EXPECT_LE(row->x0, -kBound + 1);
    EXPECT_GE(row->x1, kBound - 1);

    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    constexpr double kInf = std::numeric_limits<double>::infinity();
    for (const ScreenSegment& none :
         {ScreenSegment{{2e9, 0}, {3e9, 1}}, ScreenSegment{{0, 0}, {kNaN, 1}},
          ScreenSegment{{0, 0}, {kInf, 1}}})
        EXPECT_FALSE(toPixels(none)) << none.a.x << " " << none.b.x;
}

TEST(Clipping, LinesCrossingPaneEdgesStayInsideThePane) {
    // An XY pane of 20 x 10 pixels at (30, 40), 1 world unit a pixel around the origin.
    Pane pane{{30, 40, 49, 49}, DisplayMode::XY, {}};
    pane.world = worldWindow(DisplayMode::XY, 20, 10, 1, {});
    const PaneProjector p(pane, CameraView{});
    Raster raster = testing::makeRaster(100, 100);
    const Pen pen{{255, 255, 255}};
    const Rect clip = pane.rect.rect();
    drawSegment(raster, p, p.map(Vec3{-1000, 0, 0}), p.map(Vec3{1000, 0, 0}), pen, clip);
    drawSegment(raster, p, p.map(Vec3{-50, -50, 0}), p.map(Vec3{50, 50, 0}), pen, clip);
    const testing::Pixels lit = testing::pixelsNot(raster);
    ASSERT_FALSE(lit.empty());
    for (const auto& [x, y] : lit) EXPECT_TRUE(pane.rect.contains(x, y)) << x << ", " << y;
    // The horizontal line through y = 0 runs across the whole pane at row 45.
    for (int x = 30; x <= 49; ++x) EXPECT_EQ(raster.pixel(x, 45), (Rgb{255, 255, 255})) << x;
}

}  // namespace
}  // namespace rz::render
