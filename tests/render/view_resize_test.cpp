// A new window size: the view area is the largest 4:3 area whose frame fits, and the image,
// the view-area variables and the panes follow it.
#include <gtest/gtest.h>

#include "render/view_repaint.hpp"
#include "render/view_resize.hpp"
#include "tests/render/started_views.hpp"

namespace rz::render {
namespace {

struct FitCase {
    int clientWidth;
    int clientHeight;
    ViewArea area;
};

TEST(FitViewArea, LargestFourByThreeAreaWhoseFrameFits) {
    const FitCase cases[] = {
        // Height decides: 480 - 10 - 13 = 457 rows of room, 456 used.
        {640, 480, {(640 - 608 - 10) / 2, 5, 608, 456}},
        // Width decides: 400 - 10 - 10 = 380 across, cut to a multiple of 4.
        {400, 600, {5, 5, 380, 285}},
        // Far too small: the smallest area, kept at the margin.
        {10, 10, {5, 5, 8, 6}},
    };
    for (const FitCase& c : cases) {
        SCOPED_TRACE(c.clientWidth);
        const ViewArea a = fitViewArea(c.clientWidth, c.clientHeight);
        EXPECT_EQ(a.x, c.area.x);
        EXPECT_EQ(a.y, c.area.y);
        EXPECT_EQ(a.width, c.area.width);
        EXPECT_EQ(a.height, c.area.height);
        EXPECT_EQ(a.width * 3, a.height * 4);
    }
}

class ResizeViews : public test::StartedViews {};

TEST_F(ResizeViews, ImageVariablesAndPanesFollowTheNewSize) {
    ASSERT_EQ(run("winmode = W4.MODE; winclear;"), std::vector<std::string>{});
    ASSERT_EQ(resizeViews(w.views, in, 900, 700), ImageStatus::Ok);
    EXPECT_EQ(w.views.raster.width(), 900);
    EXPECT_EQ(w.views.raster.height(), 700);
    const ViewArea area = viewArea(in);
    const ViewArea fit = fitViewArea(900, 700);
    EXPECT_EQ(area.x, fit.x);
    EXPECT_EQ(area.width, fit.width);
    EXPECT_EQ(area.height, fit.height);
    ASSERT_EQ(w.views.layout.count, 4);
    // The last pane ends at the view area's far corner (x0 + 2·hw, y0 + 2·hh).
    EXPECT_EQ(w.views.layout.panes[3].rect.right, fit.x + 7 + fit.width);
    EXPECT_EQ(w.views.layout.panes[3].rect.bottom, fit.y + 7 + fit.height);
}

TEST_F(ResizeViews, ASizeBeyondTheLayerIsCutAndNoSizeIsOnePixel) {
    ASSERT_EQ(resizeViews(w.views, in, Raster::kMaxSide + 100, -4), ImageStatus::Ok);
    EXPECT_EQ(w.views.raster.width(), Raster::kMaxSide);
    EXPECT_EQ(w.views.raster.height(), 1);
    EXPECT_EQ(run("winclear; wire;"), std::vector<std::string>{});
}

}  // namespace
}  // namespace rz::render
