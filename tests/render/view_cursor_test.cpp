// The box cursor through the views: the mouse in a pane moves it as the block tools say,
// every redraw takes the old outline away so that the image is the one a fresh drawing
// gives, and G.ABOX draws the all-shapes box of the layers asked for.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "db/box_cursor_state.hpp"
#include "render/view_mouse.hpp"
#include "tests/render/started_views.hpp"

namespace rz::render {
namespace {

using Boxes = std::vector<std::string>;

// A single XY pane at 10 world units a pixel around the origin, no grid: world (x, y) shows
// at pixel (349 + x / 10, 214 - y / 10). One box shape under the cursor (0, 0, 0)-(500, 500,
// 500).
class ViewCursor : public test::StartedViews {
  protected:
    ViewCursor() {
        EXPECT_EQ(run("grid.sw = 0; set.winfact 2; winmode = XY.MODE;"
                      "box.s = (-1000, -200, 0); box.e = (800, 600, 300); boxgen2 box.s, box.e;"
                      "box.s = (0, 0, 0); box.e = (500, 500, 500); initlayer; winclear; wire;"),
                  Boxes{});
    }
    static Point pixelOf(float x, float y) {
        return {349 + static_cast<int>(x / 10), 214 - static_cast<int>(y / 10)};
    }
    // The image a fresh drawing of the same state gives.
    std::vector<std::uint8_t> freshImage() {
        EXPECT_EQ(run("winclear; wire;"), Boxes{});
        return image();
    }
};

TEST_F(ViewCursor, MouseStepsInAPaneMoveTheCursorAndLeaveAFreshImage) {
    struct Case {
        const char* tool;  // run before the press
        Point press;
        Point drag;
        Vec3 s;
        Vec3 e;
        db::CursorMode after;  // the mode once the button is up
    };
    const Case cases[] = {
        // Corner 6's handle takes x and y of the world point; z stays.
        {"blockON;",
         pixelOf(500, 500),
         pixelOf(700, 800),
         {0, 0, 0},
         {700, 800, 500},
         db::CursorMode::Idle},
        // Inside the rectangle: a stepped move by whole sizes of the cursor.
        {"blockON;",
         pixelOf(250, 250),
         pixelOf(1100, 100),
         {1000, 0, 0},
         {1500, 500, 500},
         db::CursorMode::Idle},
        // trans.block: both corners follow the world point's movement.
        {"trans.block;",
         pixelOf(100, 100),
         pixelOf(-200, 400),
         {-300, 300, 0},
         {200, 800, 500},
         db::CursorMode::MoveBlocks},
        // Outside every pane nothing moves and nothing is drawn.
        {"blockON;", {2, 2}, {3, 3}, {0, 0, 0}, {500, 500, 500}, db::CursorMode::Idle},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tool);
        ASSERT_EQ(run(std::string("blockOFF; block.default; box.s = (0, 0, 0);"
                                  "box.e = (500, 500, 500); winclear; wire;") +
                      c.tool),
                  Boxes{});
        model.boxCursor.mode = std::string_view(c.tool) == "trans.block;"
                                   ? db::CursorMode::MoveBlocks
                                   : db::CursorMode::Idle;
        viewMousePress(w.views, in, c.press.x, c.press.y);
        viewMouseDrag(w.views, in, c.drag.x, c.drag.y);
        viewMouseRelease(w.views, in, c.drag.x, c.drag.y);
        EXPECT_EQ(vec(db::SysVar::BoxS), c.s);
        EXPECT_EQ(vec(db::SysVar::BoxE), c.e);
        EXPECT_EQ(model.boxCursor.mode, c.after);
        const std::vector<std::uint8_t> afterMouse = image();
        EXPECT_EQ(afterMouse, freshImage());
    }
}

TEST_F(ViewCursor, EveryRedrawTakesTheOldOutlineAway) {
    struct Case {
        const char* setup;
        const char* script;
        bool fresh;  // the image is a fresh drawing's, else the one before the script
    };
    const Case cases[] = {
        {"", "blockON; box.e = (900, 300, 200); abox.gen; abox2block;", true},
        {"", "blockON; direc = 2; block.default;", true},
        {"", "blockON; block.resize;", true},                       // the tool takes the cursor off
        {"", "blockON; trans.block; abox.gen; abox2block;", true},  // the tool's colour
        {"", "blockON; block.restore;", true},
        {"", "blockON; winclear PLANE.1.CLEAR; wire; blockOFF;", true},
        // The outline goes away through the panes and the camera it was drawn with.
        {"winmode = W4.MODE; winclear; wire;",
         "blockON; c.pos = (4000, 3000, 2000); set.winfact 3; winmode = XY.MODE; blockOFF;", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        ASSERT_EQ(run(c.setup), Boxes{});
        const std::vector<std::uint8_t> before = image();
        ASSERT_EQ(run(c.script), Boxes{});
        const std::vector<std::uint8_t> redrawn = image();
        EXPECT_EQ(redrawn, c.fresh ? freshImage() : before);
        ASSERT_EQ(run("blockOFF; block.default; winmode = XY.MODE; set.winfact 2;"
                      "box.s = (0, 0, 0); box.e = (500, 500, 500); winclear; wire;"),
                  Boxes{});
    }
}

TEST_F(ViewCursor, GAboxDrawsTheAllShapesBoxOfTheLayersAsked) {
    ASSERT_EQ(run("box.s = (2000, 1000, 0); box.e = (2500, 1500, 500); boxgen2 box.s, box.e;"),
              Boxes{});
    model.shapes[1].layer = 3;
    const Rgb white = colour(db::WireColour::White);
    struct Case {
        const char* statement;
        Point lo;  // the outline's corners in the pane
        Point hi;
    };
    const Case cases[] = {
        {"wire ALL.DRAW, G.ABOX;", pixelOf(-1000, 1500), pixelOf(2500, -200)},
        {"wire 3, G.ABOX;", pixelOf(2000, 1500), pixelOf(2500, 1000)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.statement);
        ASSERT_EQ(run("winclear;"), Boxes{});
        ASSERT_EQ(run(c.statement), Boxes{});
        std::set<std::pair<int, int>> lit;
        for (int y = 12; y < 417; ++y)
            for (int x = 79; x < 619; ++x)
                if (w.views.raster.pixel(x, y) == white) lit.insert({x, y});
        std::set<std::pair<int, int>> outline;
        for (int x = c.lo.x; x <= c.hi.x; ++x)
            outline.insert({x, c.lo.y}), outline.insert({x, c.hi.y});
        for (int y = c.lo.y; y <= c.hi.y; ++y)
            outline.insert({c.lo.x, y}), outline.insert({c.hi.x, y});
        // Lines leave their end pixel out; at one corner no other edge fills it in.
        outline.erase({c.hi.x, c.lo.y});
        std::vector<std::pair<int, int>> extra;
        std::set_symmetric_difference(lit.begin(), lit.end(), outline.begin(), outline.end(),
                                      std::back_inserter(extra));
        EXPECT_EQ(extra, (std::vector<std::pair<int, int>>{}));
    }
}

}  // namespace
}  // namespace rz::render
