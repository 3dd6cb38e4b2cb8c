// Pane layouts of every winmode, the world windows of the orthographic panes and the zoom
// factors, with the numbers of the default view area (72, 5, 540 x 405).
#include <gtest/gtest.h>

#include <vector>

#include "render/pane_layout.hpp"
#include "render/views.hpp"
#include "script/messages.hpp"
#include "tests/render/started_views.hpp"

namespace rz::render {
namespace {

using db::SysVar;
using test::err;
using test::kRunFailed;
using enum DisplayMode;

bool operator==(const PaneRect& a, const PaneRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

struct ExpectedPane {
    DisplayMode mode;
    PaneRect rect;
};

constexpr ViewArea kDefaultArea{72, 5, 540, 405};
constexpr PaneRect kSingle{79, 12, 618, 416};

TEST(PaneLayout, EveryWinmodeLaysOutItsPanes) {
    struct Case {
        int winmode;
        std::vector<ExpectedPane> panes;
    };
    const Case cases[] = {
        {1,
         {{Perspective, {79, 12, 348, 213}},
          {XZ, {350, 12, 619, 213}},
          {YZ, {79, 215, 348, 416}},
          {XY, {350, 215, 619, 416}}}},
        {3, {{XY, kSingle}}},
        {4, {{YZ, kSingle}}},
        {5, {{XZ, kSingle}}},
        {6, {{Perspective, kSingle}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.winmode);
        const std::optional<PaneLayout> layout = layoutPanes(kDefaultArea, c.winmode, 100, {});
        ASSERT_TRUE(layout);
        ASSERT_EQ(layout->count, static_cast<int>(c.panes.size()));
        for (int i = 0; i < layout->count; ++i) {
            EXPECT_EQ(layout->panes[i].mode, c.panes[i].mode) << "pane " << i + 1;
            EXPECT_TRUE(layout->panes[i].rect == c.panes[i].rect) << "pane " << i + 1;
        }
    }
    for (const int none : {0, 2, 7, -1}) EXPECT_FALSE(layoutPanes(kDefaultArea, none, 100, {}));
}

TEST(PaneLayout, WorldWindowsSpanHalfThePaneEachWayAroundTheCentre) {
    struct Case {
        DisplayMode mode;
        int width;
        int height;
        double factor;
        Vec3d center;
        WorldWindow expected;
    };
    const Case cases[] = {
        {XY, 540, 405, 100, {0, 0, 0}, {-27000, 20200, 27000, -20200, 100, -100}},
        {XY, 270, 202, 10, {1000, 2000, 3000}, {-350, 3010, 2350, 990, 10, -10}},
        {YZ, 270, 202, 10, {1000, 2000, 3000}, {4350, 3010, 1650, 990, -10, -10}},
        {XZ, 270, 202, 10, {1000, 2000, 3000}, {-350, 1990, 2350, 4010, 10, 10}},
        {XZ, 5, 3, 2, {0, 0, 0}, {-4, -2, 4, 2, 2, 2}},  // integer halves
    };
    for (const Case& c : cases) {
        const WorldWindow w = worldWindow(c.mode, c.width, c.height, c.factor, c.center);
        EXPECT_EQ(w.left, c.expected.left);
        EXPECT_EQ(w.top, c.expected.top);
        EXPECT_EQ(w.right, c.expected.right);
        EXPECT_EQ(w.bottom, c.expected.bottom);
        EXPECT_EQ(w.unitsH, c.expected.unitsH);
        EXPECT_EQ(w.unitsV, c.expected.unitsV);
    }
}

TEST(PaneLayout, ZoomFactorTable) {
    const double factors[] = {2, 5, 10, 20, 50, 100, 200, 500, 1000, 2000, 5000};
    for (int n = 0; n <= 10; ++n) EXPECT_EQ(zoomFactor(n), factors[n]);
    EXPECT_FALSE(zoomFactor(-1));
    EXPECT_FALSE(zoomFactor(11));
}

class ViewLayoutCommands : public test::StartedViews {};

TEST_F(ViewLayoutCommands, WinclearRebuildsThePanesFromTheVariables) {
    const Views& v = w.views;
    // Start-up lays out PARS.MODE at zoom 100.
    EXPECT_EQ(v.layout.count, 1);
    EXPECT_EQ(v.factor, 100.0);

    EXPECT_EQ(run("set.winfact 5; winmode = W4.MODE; w.center = (0, 0, 0); winclear;"),
              std::vector<std::string>{});
    ASSERT_EQ(v.layout.count, 4);
    for (int i = 1; i < 4; ++i) {
        EXPECT_EQ(std::abs(v.layout.panes[i].world.unitsH), 100.0);
        EXPECT_EQ(std::abs(v.layout.panes[i].world.unitsV), 100.0);
    }
    EXPECT_EQ(v.layout.panes[3].mode, XY);

    EXPECT_EQ(run("set.winfact 2; windy.xpos = 0; windy.ypos = 0; windy.xwidth = 100;"
                  "windy.ywidth = 80; winmode = XY.MODE; winclear;"),
              std::vector<std::string>{});
    ASSERT_EQ(v.layout.count, 1);
    EXPECT_TRUE(v.layout.panes[0].rect == (PaneRect{7, 7, 106, 86}));
    EXPECT_EQ(v.layout.panes[0].world.left, -500.0);

    // A winmode that is none is the program's fault: it falls back to the perspective pane.
    EXPECT_EQ(run("winmode = 9; winclear;"),
              std::vector<std::string>{err(platform::kInternalError)});
    EXPECT_EQ(scalar(SysVar::Winmode), 6.0f);
    EXPECT_EQ(v.layout.panes[0].mode, Perspective);
}

TEST_F(ViewLayoutCommands, SetWinfactRefusesOtherValuesAndFallsBackTo100) {
    ASSERT_EQ(run("set.winfact 0;"), std::vector<std::string>{});
    EXPECT_EQ(w.views.factor, 2.0);
    EXPECT_EQ(run("set.winfact 11;"),
              (std::vector<std::string>{err(script::msg::kValueNotCorrect), kRunFailed}));
    EXPECT_EQ(w.views.factor, 100.0);
    EXPECT_EQ(run("set.winfact 1, 2;"),
              (std::vector<std::string>{err(script::msg::kTooManyParams), kRunFailed}));
    EXPECT_EQ(run("set.winfact box.s;"),
              (std::vector<std::string>{err(script::msg::kBadParam), kRunFailed}));
}

}  // namespace
}  // namespace rz::render
