// From a pane pixel back to the world, checked against the projection that took the world
// to the pixel; and the grid point the box-cursor tools find under a pixel of the views.
#include <gtest/gtest.h>

#include <cmath>
#include <utility>

#include "geometry/cursor_mouse.hpp"
#include "render/pane_pick.hpp"
#include "render/pane_projection.hpp"
#include "render/view_context.hpp"
#include "render/view_mouse.hpp"
#include "tests/render/started_views.hpp"

namespace rz::render {
namespace {

using db::SysVar;

class PanePick : public test::StartedViews {
  protected:
    PanePick() {
        EXPECT_EQ(run("set.winfact 3; w.center = (1000, -2000, 300); winmode = W4.MODE;"
                      "winclear; grid.sw = 0;"),
                  std::vector<std::string>{});
    }
    const PaneLayout& layout() const { return w.views.layout; }

    // The grid point under the pixel and the pane it was found in.
    std::optional<std::pair<int, Vec3>> gridPointAt(int x, int y) {
        const PaneUnderMouse under(w.views, in, x, y);
        if (!under.found()) return std::nullopt;
        const std::optional<Vec3> p = geometry::gridPointUnderMouse(in, under.mouse());
        if (!p) return std::nullopt;
        return std::pair{under.mouse().pane, *p};
    }
};

TEST_F(PanePick, OrthographicPixelsGoBackToTheirWorldPoints) {
    const Vec3 base{11, 22, 33};
    // Corners, edges and inside of the three orthographic panes; the gaps belong to none.
    const int pixels[][2] = {{350, 12},  {619, 213}, {400, 100}, {79, 215}, {348, 416},
                             {200, 300}, {350, 215}, {619, 416}, {500, 333}};
    for (const auto& [x, y] : pixels) {
        SCOPED_TRACE(::testing::Message() << x << ", " << y);
        const std::optional<PanePoint> p = orthographicPoint(layout(), x, y, base);
        ASSERT_TRUE(p);
        const Pane& pane = layout().panes[p->pane];
        EXPECT_TRUE(pane.rect.contains(x, y));
        PaneProjector projector(pane, CameraView{});
        const Vec3d mapped = projector.map(p->world);
        EXPECT_EQ(std::floor(mapped[0]), x);
        EXPECT_EQ(std::floor(mapped[1]), y);
        // The coordinate the pane does not show is the base's.
        const int hidden = pane.mode == DisplayMode::XY ? 2 : pane.mode == DisplayMode::YZ ? 0 : 1;
        EXPECT_EQ(p->world[hidden], base[hidden]);
    }
    EXPECT_FALSE(orthographicPoint(layout(), 349, 100, base));  // between panes
    EXPECT_FALSE(orthographicPoint(layout(), 100, 100, base));  // the perspective pane
    EXPECT_EQ(paneAt(layout(), 100, 100), 0);
    EXPECT_EQ(paneAt(layout(), 0, 0), -1);
}

TEST_F(PanePick, OrthographicGridPointsSnapToTheStepAroundTheGridCentre) {
    // XY pane (4), 20 units a pixel around (1000, -2000): pixel (485, 316) shows (1000, -2000).
    ASSERT_EQ(run("grid.sw = 1; grid.step = 500; grid.center = (100, 0, 0);"
                  "box.s = (0, 0, 0); box.e = (10, 20, 30);"),
              std::vector<std::string>{});
    const auto p = gridPointAt(485 + 12, 316 - 3);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->first, 3);
    // (1240, -1940) snaps to (1100, -2000) around x = 100; z is the cursor centre's.
    EXPECT_FLOAT_EQ(p->second[0], 1100);
    EXPECT_FLOAT_EQ(p->second[1], -2000);
    EXPECT_FLOAT_EQ(p->second[2], 15);
}

TEST_F(PanePick, PerspectivePixelsFindTheGridPointProjectedNearest) {
    ASSERT_EQ(run("c.pos = (3000, 4000, 5000); c.tar = (0, 0, 0); c.upper = (0, 1, 0);"
                  "c.zoom = 60; grid.plane = XZ.PLANE; grid.center = (0, 0, 0);"
                  "grid.size = 2000; grid.step = 500;"),
              std::vector<std::string>{});
    const Pane& pane = layout().panes[0];
    const CameraView camera = cameraOfVariables(in);
    const PaneProjector projector(pane, camera);
    for (const Vec3 point : {Vec3{0, 0, 0}, Vec3{-1500, 0, 500}, Vec3{2000, 0, -2000}}) {
        SCOPED_TRACE(::testing::Message() << point[0] << ", " << point[2]);
        const std::optional<ScreenPoint> s = projector.screen(projector.map(point));
        ASSERT_TRUE(s);
        const int x = static_cast<int>(std::floor(s->x));
        const int y = static_cast<int>(std::floor(s->y));
        const auto p = gridPointAt(x, y);
        ASSERT_TRUE(p);
        EXPECT_EQ(p->first, 0);
        EXPECT_EQ(p->second, point);
    }
    // Behind the camera nothing can be projected.
    ASSERT_EQ(run("c.pos = (0, 100, 0); c.tar = (0, 200, 0); c.upper = (0, 0, 1);"),
              std::vector<std::string>{});
    EXPECT_FALSE(gridPointAt(200, 100));
}

}  // namespace
}  // namespace rz::render
