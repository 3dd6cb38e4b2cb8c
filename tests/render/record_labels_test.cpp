// Labels and picking by them on a started views instance: a single XY pane at 10 world
// units a pixel around the origin, where world (x, y) shows at pixel (349 + x / 10,
// 214 - y / 10).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "render/record_labels.hpp"
#include "tests/render/started_views.hpp"

namespace rz::render {
namespace {

using Boxes = std::vector<std::string>;

class Labels : public test::StartedViews {
  protected:
    // Shape 0 boxed (0, 0, 0)-(1000, 600, 800): its label's corner at pixel (399, 184).
    // Shape 1 boxed (-2000, -2000, 0)-(-1000, -1000, 100): corner at (199, 364).
    Labels() {
        EXPECT_EQ(run("grid.sw = 0; set.winfact 2; winmode = XY.MODE; winclear;"
                      "box.s = (0, 0, 0); box.e = (1000, 600, 800); boxgen2 box.s, box.e;"
                      "box.s = (-2000, -2000, 0); box.e = (-1000, -1000, 100);"
                      "boxgen2 box.s, box.e; initlayer;"),
                  Boxes{});
    }
    int layer(int shape) const { return model.shapes[shape].layer; }
};

TEST_F(Labels, AClickOnAShapeLabelTogglesThatShape) {
    const struct {
        int x;
        int y;
        int hit;
        int layer0;
        int layer1;
    } clicks[] = {
        {401, 186, 0, 1, 0},   // inside shape 0's label
        {399, 184, 0, 0, 0},   // its corner, and back to normal
        {397, 186, -1, 0, 0},  // left of it
        {401, 181, -1, 0, 0},  // above it
        {200, 366, 1, 0, 1},   // shape 1's label
        {2, 2, -1, 0, 1},      // outside every pane
    };
    for (const auto& c : clicks) {
        EXPECT_EQ(pickShapeAt(w.views, in, c.x, c.y), c.hit) << c.x << ", " << c.y;
        EXPECT_EQ(layer(0), c.layer0) << c.x << ", " << c.y;
        EXPECT_EQ(layer(1), c.layer1) << c.x << ", " << c.y;
    }
    // Hidden shapes carry no label; guides are hit but keep their state.
    model.shapes[0].layer = 2;
    EXPECT_EQ(pickShapeAt(w.views, in, 401, 186), -1);
    model.shapes[0].layer = 10;
    EXPECT_EQ(pickShapeAt(w.views, in, 401, 186), 0);
    EXPECT_EQ(layer(0), 10);
}

TEST_F(Labels, ABlockLabelSitsOnTheBlocksFirstShapeAndTogglesItsLaterShapes) {
    model.blockCount = 2;
    model.shapes[0].shapeId = 1;
    model.shapes[1].shapeId = 1;
    // Only shape 0 carries the label of block 1.
    EXPECT_EQ(pickBlockAt(w.views, in, 200, 366), -1);
    EXPECT_EQ(pickBlockAt(w.views, in, 401, 186), 0);
    EXPECT_EQ(layer(0), 1);
    EXPECT_EQ(layer(1), 1);
    EXPECT_EQ(pickBlockAt(w.views, in, 401, 186), 0);
    EXPECT_EQ(layer(1), 0);
    // The shapes of block 0 carry none.
    model.shapes[0].shapeId = 0;
    EXPECT_EQ(pickBlockAt(w.views, in, 401, 186), -1);
}

TEST_F(Labels, PickFaceDrawsTheLabelsWhereTheHitTestLooks) {
    if (!w.views.raster.hasFont() && !w.views.raster.loadFont()) GTEST_SKIP() << "no font";
    const Rgb background = colour(db::WireColour::FontBase);
    ASSERT_NE(pixel(400, 185), background);
    ASSERT_EQ(run("pick.face;"), Boxes{});
    EXPECT_EQ(pixel(400, 185), background);
    EXPECT_EQ(pixel(200, 365), background);
    EXPECT_NE(pixel(398, 185), background);
    EXPECT_EQ(run("pick.face 1;"), (Boxes{"ERROR:  パラメータが多すぎます！ ", test::kRunFailed}));
}

}  // namespace
}  // namespace rz::render
