// The view scroll keeps the world point under the mouse in every orthographic pane; the
// camera drag never takes the eye onto its target.
#include <gtest/gtest.h>

#include "math/vec_math.hpp"
#include "render/pane_pick.hpp"
#include "render/view_drag.hpp"

namespace rz::test {
namespace {

using render::DisplayMode;

TEST(ViewDrag, ScrollKeepsTheGrabbedPointUnderTheMouseInEachOrthographicPane) {
    const Vec3 centre{100, 200, 300};
    const std::optional<render::PaneLayout> layout =
        render::layoutPanes({0, 0, 800, 600}, render::kW4Mode, 10.0, widen(centre));
    ASSERT_TRUE(layout);
    for (int pane = 0; pane < layout->count; ++pane) {
        const render::PaneRect& r = layout->panes[pane].rect;
        const int x = (r.left + r.right) / 2;
        const int y = (r.top + r.bottom) / 2;
        const std::optional<Vec3> moved =
            render::scrolledCentre(*layout, centre, x, y, x + 30, y - 20);
        if (layout->panes[pane].mode == DisplayMode::Perspective) {
            EXPECT_FALSE(moved) << pane;
            continue;
        }
        ASSERT_TRUE(moved) << pane;
        // The point grabbed before the move is the one under the mouse after it.
        const std::optional<render::PanePoint> grabbed =
            render::orthographicPoint(*layout, x, y, centre);
        const std::optional<render::PaneLayout> after =
            render::layoutPanes({0, 0, 800, 600}, render::kW4Mode, 10.0, widen(*moved));
        ASSERT_TRUE(grabbed && after);
        const std::optional<render::PanePoint> under =
            render::orthographicPoint(*after, x + 30, y - 20, centre);
        ASSERT_TRUE(under);
        const render::ShownAxes axes = render::shownAxes(layout->panes[pane].mode);
        EXPECT_NEAR(under->world[axes.across], grabbed->world[axes.across], 1e-3) << pane;
        EXPECT_NEAR(under->world[axes.down], grabbed->world[axes.down], 1e-3) << pane;
        EXPECT_EQ((*moved)[axes.depth], centre[axes.depth]) << pane;
    }
    EXPECT_FALSE(render::scrolledCentre(*layout, centre, -50, -50, 0, 0));
}

TEST(ViewDrag, CameraStepTurnsAcrossAndMovesAlongButNeverOntoTheTarget) {
    const render::CameraStep across = render::cameraDragStep(10, 0, 1000);
    EXPECT_FLOAT_EQ(across.degrees, -5.0f);
    EXPECT_FLOAT_EQ(across.forward, 0.0f);
    EXPECT_FLOAT_EQ(render::cameraDragStep(0, -20, 1000).forward, 100.0f);
    EXPECT_FLOAT_EQ(render::cameraDragStep(0, 20, 1000).forward, -100.0f);
    EXPECT_FLOAT_EQ(render::cameraDragStep(0, -5000, 1000).forward, 500.0f);
    EXPECT_FLOAT_EQ(render::cameraDragStep(0, 5000, 1000).forward, -500.0f);
}

}  // namespace
}  // namespace rz::test
