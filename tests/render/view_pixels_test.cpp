// The views drawn on a started workstation, checked pixel by pixel: a known box in the XY
// pane, the four panes with their titles, the draw values on the image, the box cursor and
// the marker, capture.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <utility>

#include "render/box_cursor.hpp"
#include "render/raster.hpp"
#include "render/render_messages.hpp"
#include "render/view_legend.hpp"
#include "script/messages.hpp"
#include "tests/render/started_views.hpp"

namespace rz::render {
namespace {

using db::WireColour;
using test::err;
using test::kRunFailed;
using Boxes = std::vector<std::string>;
using PixelSet = std::set<std::pair<int, int>>;

// The pixels of one colour inside a rectangle.
PixelSet pixelsOf(const Raster& r, Rgb colour, const Rect& within) {
    PixelSet found;
    for (int y = within.top; y < within.bottom; ++y)
        for (int x = within.left; x < within.right; ++x)
            if (r.pixel(x, y) == colour) found.insert({x, y});
    return found;
}

// A single XY pane at 10 world units a pixel around the origin, no grid, no cursor: world
// (x, y) shows at pixel (349 + x / 10, 214 - y / 10).
class XYPane : public test::StartedViews {
  protected:
    XYPane() {
        EXPECT_EQ(run("grid.sw = 0; set.winfact 2; winmode = XY.MODE; winclear;"), Boxes{});
    }
    static constexpr Rect kPane{79, 12, 619, 417};
};

TEST_F(XYPane, AKnownBoxInTheXYPaneLandsOnKnownPixels) {
    ASSERT_EQ(run("box.s = (0, 0, 0); box.e = (1000, 600, 800); boxgen2 box.s, box.e;"
                  "initlayer; wire;"),
              Boxes{});
    PixelSet outline;
    for (int x = 349; x <= 449; ++x) outline.insert({x, 154}), outline.insert({x, 214});
    for (int y = 154; y <= 214; ++y) outline.insert({349, y}), outline.insert({449, y});
    EXPECT_EQ(pixelsOf(w.views.raster, colour(WireColour::White), kPane), outline);
}

TEST_F(XYPane, LayersAndPrefixesOnTheImage) {
    // Shape 0 on the left, shape 1 on the right.
    ASSERT_EQ(run("box.s = (-1000, 0, 0); box.e = (-500, 500, 500); boxgen2 box.s, box.e;"
                  "box.s = (500, 0, 0); box.e = (1000, 500, 500); boxgen2 box.s, box.e;"),
              Boxes{});
    const Rect left{79, 12, 349, 417};
    const Rect right{350, 12, 619, 417};
    const Rgb white = colour(WireColour::White);
    const Rgb red = colour(WireColour::Layer);
    struct Case {
        const char* what;
        int layer0;
        int layer1;
        const char* statement;
        bool leftLit;
        bool rightLit;
        Rgb colourOfLit;
    };
    const Case cases[] = {
        {"normal in white", 0, 0, "wire;", true, true, white},
        {"other layers in the layer colour", 1, 20, "wire;", true, true, red},
        {"hidden never drawn", 2, 2, "wire; wire ALL.DRAW, N.WIRE; wire ALL.DRAW, O.WIRE;", false,
         false, white},
        {"one layer", 0, 1, "wire 1;", false, true, red},
        {"selected layers", 100, 0, "wire L.SELECT;", true, false, white},
        {"N. in white whatever the layer", 1, 1, "wire 1, N.WIRE;", true, true, white},
        {"G.BBOX rebuilds and draws the boxes", 1, 1, "wire ALL.DRAW, G.BBOX;", true, true, red},
    };
    const std::vector<std::uint8_t> blank = image();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        model.shapes[0].layer = static_cast<std::uint8_t>(c.layer0);
        model.shapes[1].layer = static_cast<std::uint8_t>(c.layer1);
        ASSERT_EQ(run("winclear;"), Boxes{});
        ASSERT_EQ(image(), blank);
        EXPECT_EQ(run(c.statement), Boxes{});
        EXPECT_EQ(!pixelsOf(w.views.raster, c.colourOfLit, left).empty(), c.leftLit);
        EXPECT_EQ(!pixelsOf(w.views.raster, c.colourOfLit, right).empty(), c.rightLit);
    }
}

TEST_F(XYPane, XorDrawingTwiceLeavesTheImageUnchanged) {
    ASSERT_EQ(run("box.s = (0, 0, 0); box.e = (1000, 600, 800); boxgen2 box.s, box.e;"
                  "box.e = (-500, -500, -500); ballgen1 box.s, box.e, 8;"),
              Boxes{});
    const std::vector<std::uint8_t> blank = image();
    for (const char* statement :
         {"wire ALL.DRAW, X.WIRE;", "wire 1, X.ABOX;", "bcurgen box.s, box.e;"}) {
        SCOPED_TRACE(statement);
        EXPECT_EQ(run(statement), Boxes{});
        EXPECT_NE(image(), blank);
        EXPECT_EQ(run(statement), Boxes{});
        EXPECT_EQ(image(), blank);
    }
    // A guide is drawn with XOR by layer.
    model.shapes[0].layer = model.shapes[1].layer = 10;
    EXPECT_EQ(run("wire;"), Boxes{});
    EXPECT_NE(image(), blank);
    EXPECT_EQ(run("wire;"), Boxes{});
    EXPECT_EQ(image(), blank);
}

TEST_F(XYPane, FourPanesWithTheirBackgroundsAndTitles) {
    ASSERT_EQ(run("winmode = W4.MODE; winclear;"), Boxes{});
    Raster& r = w.views.raster;
    ASSERT_TRUE(r.hasFont()) << "the views need a Japanese font";
    const Rgb black = colour(WireColour::Black);
    const Rgb ortho = colour(WireColour::LineBase);
    struct PaneCase {
        Rect rect;  // pane 1 perspective (black), then XZ, YZ, XY
        Rgb fill;
        std::string_view title;
        Point titleAt;
    };
    const PaneCase panes[] = {
        {{79, 12, 349, 214}, black, "scale: 500.000", {348 - 13 - 8 * 14, 16}},
        {{350, 12, 620, 214}, ortho, kTopView, {363, 193}},
        {{79, 215, 349, 417}, ortho, kSideView, {348 - 13 - 48, 219}},
        {{350, 215, 620, 417}, ortho, kFrontView, {363, 219}},
    };
    const Rgb axis = colour(WireColour::Axis);
    for (const PaneCase& p : panes) {
        SCOPED_TRACE(p.title);
        // Outlined in black, filled inside.
        EXPECT_EQ(r.pixel(p.rect.left, p.rect.top), black);
        EXPECT_EQ(r.pixel(p.rect.right - 1, p.rect.bottom - 1), black);
        EXPECT_EQ(r.pixel((p.rect.left + p.rect.right) / 2, (p.rect.top + p.rect.bottom) / 2),
                  p.fill);
        // The title is the text itself, drawn where the layout puts it.
        Raster alone;
        ASSERT_EQ(alone.resize(r.width(), r.height()), ImageStatus::Ok);
        ASSERT_TRUE(alone.loadFont());
        alone.text(p.titleAt.x, p.titleAt.y, p.title, axis, p.fill);
        const Rect cell{p.titleAt.x, p.titleAt.y, p.titleAt.x + cellWidth(p.title),
                        p.titleAt.y + 16};
        EXPECT_FALSE(pixelsOf(alone, axis, cell).empty());
        EXPECT_EQ(pixelsOf(r, axis, cell), pixelsOf(alone, axis, cell));
    }
    // The panes are one pixel apart; the gap keeps the area's colour.
    EXPECT_EQ(r.pixel(349, 100), colour(WireColour::AllBase));
}

TEST_F(XYPane, TheBoxCursorIsDrawnWhereItsHandlesAreRecorded) {
    // box (0, 0, 0) - (500, 500, 500), direc X.
    const std::vector<std::uint8_t> blank = image();
    ASSERT_EQ(run("blockON;"), Boxes{});
    const db::CursorPane& c = model.boxCursor.panes[0];
    EXPECT_EQ(c.handles[0], (db::ScreenPoint{349, 214}));
    EXPECT_EQ(c.handles[6], (db::ScreenPoint{399, 164}));
    EXPECT_EQ(c.handles[1], c.handles[0]);  // z is not shown in the XY pane
    EXPECT_EQ(c.boxMin, (db::ScreenPoint{349, 164}));
    EXPECT_EQ(c.boxMax, (db::ScreenPoint{399, 214}));
    // (500, 0, 0), (0, 250, 0), (0, 0, 250) have their centroid at (166.7, 83.3, 83.3).
    EXPECT_EQ(c.marker, (db::ScreenPoint{365, 205}));
    // Drawn in C.ANKER over the pane: the handle frame at corner 6 and the outline.
    const Rgb background = w.views.raster.pixel(374, 190).value();
    EXPECT_NE(w.views.raster.pixel(374, 164), background);
    EXPECT_NE(w.views.raster.pixel(399 + 2, 164), background);
    ASSERT_EQ(run("blockOFF;"), Boxes{});
    EXPECT_EQ(image(), blank);

    // A full drawing draws it while it is shown, once however often it runs.
    ASSERT_EQ(run("blockON; wire;"), Boxes{});
    const std::vector<std::uint8_t> once = image();
    EXPECT_NE(once, blank);
    ASSERT_EQ(run("wire 0; wire;"), Boxes{});
    EXPECT_EQ(image(), once);
}

TEST_F(XYPane, OnlyThePerspectivePaneForParswireAndParswinclear) {
    ASSERT_EQ(run("box.s = (0, 0, 0); box.e = (1000, 600, 800); boxgen2 box.s, box.e;"
                  "c.pos = (3000, 3000, 3000); c.tar = (0, 0, 0); c.upper = (-1, 1, -1);"),
              Boxes{});
    const std::vector<std::uint8_t> blank = image();
    EXPECT_EQ(run("parswire; parswinclear;"), Boxes{});
    EXPECT_EQ(image(), blank);

    ASSERT_EQ(run("winmode = W4.MODE; winclear;"), Boxes{});
    const std::vector<std::uint8_t> cleared = image();
    const Rect perspective{80, 13, 348, 213};
    EXPECT_EQ(run("parswire;"), Boxes{});
    EXPECT_FALSE(pixelsOf(w.views.raster, colour(WireColour::Layer), perspective).empty());
    const Rect front{350, 215, 620, 417};
    EXPECT_TRUE(pixelsOf(w.views.raster, colour(WireColour::Layer), front).empty());
    EXPECT_EQ(run("wire; parswinclear;"), Boxes{});
    EXPECT_TRUE(pixelsOf(w.views.raster, colour(WireColour::Layer), perspective).empty());
    EXPECT_FALSE(pixelsOf(w.views.raster, colour(WireColour::Layer), front).empty());
    EXPECT_EQ(run("winclear PLANE.2.CLEAR; winclear PLANE.3.CLEAR; winclear PLANE.4.CLEAR;"),
              Boxes{});
    EXPECT_EQ(image(), cleared);
}

TEST_F(XYPane, DrawCommandsTakeTheirArguments) {
    ASSERT_EQ(run("box.s = (0, 0, 0); box.e = (1000, 600, 800); boxgen2 box.s, box.e;"), Boxes{});
    const std::vector<std::uint8_t> blank = image();
    struct Case {
        const char* statement;
        Boxes boxes;
        bool draws;
    };
    const Case cases[] = {
        {"draw;", {}, true},
        {"store ON;", {}, true},
        {"draw ALL.DRAW, FULL;", {}, false},
        {"wire -1;", {err(script::msg::kBadParam), kRunFailed}, false},
        {"wire 1, RAPID;", {}, false},
        {"wire ALL.DRAW, NODRAW;", {}, false},
        {"wire ALL.DRAW, 12;", {err(msg::kBadDrawMode), kRunFailed}, false},
        {"wire box.s;", {err(script::msg::kBadParam), kRunFailed}, false},
        {"wire 1 2;", {err(script::msg::kBadSeparator), kRunFailed}, false},
        {"wire 1, box.s;", {err(script::msg::kBadParam), kRunFailed}, false},
        {"draw 1, 2, 3;", {err(script::msg::kTooManyParams), kRunFailed}, false},
        {"winclear 5;", {err(script::msg::kBadParam), kRunFailed}, false},
        {"windisp 1;", {err(script::msg::kTooManyParams), kRunFailed}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.statement);
        ASSERT_EQ(run("winclear;"), Boxes{});
        EXPECT_EQ(run(c.statement), c.boxes);
        EXPECT_EQ(image() != blank, c.draws);
    }
    // A render mode renders into the C-Buffer: one tile in FULL.
    ASSERT_EQ(run("draw ALL.DRAW, FULL;"), Boxes{});
    EXPECT_EQ(sink.statuses(), Boxes{"Process screen count: 1 / 1\n"});
}

TEST_F(XYPane, FastLinesDrawFewerLinesThanDenseOnes) {
    ASSERT_EQ(run("box.s = (0, 0, 0); box.e = (2000, 2000, 2000); ballgen1 box.s, box.e, 16;"),
              Boxes{});
    const auto lit = [&](const char* detail) {
        EXPECT_EQ(run(std::string(detail) + " winclear; wire;"), Boxes{});
        return pixelsOf(w.views.raster, colour(WireColour::Layer), kPane).size();
    };
    const std::size_t dense = lit("wire.detail 1;");
    const std::size_t fast = lit("wire.detail 0;");
    EXPECT_GT(fast, 0u);
    EXPECT_LT(fast, dense);
}

TEST_F(XYPane, InitlayerKeepsGuides) {
    ASSERT_EQ(run("boxgen2 box.s, box.e; boxgen2 box.s, box.e; boxgen2 box.s, box.e;"), Boxes{});
    model.shapes[0].layer = 2;
    model.shapes[1].layer = 10;
    model.shapes[2].layer = 101;
    model.blocks[1].layer = 10;
    model.blocks[2].layer = 1;
    ASSERT_EQ(run("initlayer;"), Boxes{});
    EXPECT_EQ(model.shapes[0].layer, 0);
    EXPECT_EQ(model.shapes[1].layer, 10);
    EXPECT_EQ(model.shapes[2].layer, 0);
    EXPECT_EQ(model.blocks[1].layer, 10);
    EXPECT_EQ(model.blocks[2].layer, 0);
}

TEST_F(XYPane, CaptureCopiesTheImageIntoTheColourBufferKeepingTheFourthByte) {
    ASSERT_EQ(run("boxgen2 box.s, box.e; winmode = W4.MODE; winclear; wire;"), Boxes{});
    db::ColorBuffer& cb = model.colorBuffer;
    ASSERT_EQ(cb.width, 640);
    ASSERT_EQ(cb.height, 480);
    for (std::size_t i = 3; i < cb.pixels.size(); i += 4) cb.pixels[i] = 77;
    EXPECT_EQ(run("capture;"), Boxes{});
    EXPECT_EQ(consoleTexts(), Boxes{std::string(msg::kProcessDone)});
    const Raster& r = w.views.raster;
    for (int y = 0; y < cb.height; ++y)
        for (int x = 0; x < cb.width; ++x) {
            const std::uint8_t* p = &cb.pixels[(static_cast<std::size_t>(y) * cb.width + x) * 4];
            ASSERT_EQ((Rgb{p[0], p[1], p[2]}), r.pixel(x, y)) << x << ", " << y;
            ASSERT_EQ(p[3], 77);
        }
    EXPECT_EQ(run("capture 1;"), (Boxes{err(script::msg::kTooManyParams), kRunFailed}));
}

// A main window smaller than the C-Buffer: only what both hold is copied.
class SmallWindow : public test::StartedViews {
  protected:
    static db::Settings small() {
        db::Settings s;
        s.window.width = 320;
        s.window.height = 200;
        return s;
    }
    SmallWindow() : StartedViews(small()) {}
};

TEST_F(SmallWindow, CaptureCopiesOnlyTheImagesOverlap) {
    ASSERT_EQ(w.views.raster.width(), 320);
    ASSERT_EQ(w.views.raster.height(), 200);
    ASSERT_EQ(run("winclear;"), Boxes{});
    std::fill(model.colorBuffer.pixels.begin(), model.colorBuffer.pixels.end(), 9);
    ASSERT_EQ(run("capture;"), Boxes{});
    const auto at = [&](int x, int y) {
        return &model.colorBuffer.pixels[(static_cast<std::size_t>(y) * 640 + x) * 4];
    };
    const Rgb allBase = colour(WireColour::AllBase);
    EXPECT_EQ((Rgb{at(319, 199)[0], at(319, 199)[1], at(319, 199)[2]}),
              w.views.raster.pixel(319, 199));
    EXPECT_EQ((Rgb{at(0, 0)[0], at(0, 0)[1], at(0, 0)[2]}), allBase);
    EXPECT_EQ(at(320, 0)[0], 9);
    EXPECT_EQ(at(0, 200)[1], 9);
}

}  // namespace
}  // namespace rz::render
