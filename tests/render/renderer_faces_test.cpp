// Whole scenes made by the generators and the mapping commands, rendered and looked at: closed
// shapes face outwards and are lit on every visible side, texture maps show their texels,
// and the material sample draws its ball without leaving it in the model.

#include <gtest/gtest.h>

#include <cmath>

#include "db/current_records.hpp"
#include "math/vec_math.hpp"
#include "render/camera_view.hpp"
#include "tests/render/started_renderer.hpp"

namespace rz::test {
namespace {

using Boxes = std::vector<std::string>;

// Seen from the corner (1000, 1000, 1000) (pixelOf's camera), lit by one parallel light from
// (1, 2, 3).
const std::string kCornerScene =
    "matinit; c.pos = (1000, 1000, 1000); c.tar = (0, 0, 0); c.upper = (0, 1, 0);"
    "c.rot = (0, 0, 0); c.zoom = 40; c.hither = 50; c.yon = 100000;"
    "light 0; l.pos = (1, 2, 3); l.tar = (0, 0, 0); l.rgb = (1, 1, 1); l.gain = 1;"
    "l.kind = PARA; set.light; cinit CBUF.CLEAR;";

// White, without highlights or added colour: a face shows 255 x 0.6 x (N . L).
const std::string kMatteWhite =
    "new.atr; a.rgb = (1, 1, 1); a.arg = (0, 0, 0); p.specl = 0; set.atr; link.atr atr.point;";

class RendererFaces : public StartedViews {
  protected:
    RendererFaces() : StartedViews(rendererSettings(1)) {}

    // The FAST pixel where a model point lands.
    static std::pair<int, int> pixelOf(const Vec3d& p) {
        const db::Camera corner{.pos = {1000, 1000, 1000}, .upper = {0, 1, 0}, .zoom = 40};
        const render::CameraView view = render::setupView(corner);
        const render::ScreenPoint s =
            render::projectCamera(view, transformPoint(p, view.view), kImageWidth / 2);
        return {static_cast<int>(s.x), static_cast<int>(s.y)};
    }
    static constexpr int kImageWidth = 640;
    Pixel at(const Vec3d& p) const {
        const auto [x, y] = pixelOf(p);
        return cbufPixel(model, x, y);
    }
    // A cube of half-size 100 at the origin as a polygon mesh without normals, its faces
    // counter-clockwise seen from outside; corner k is at -100 or 100 by its bits x, y, z.
    void addBareCube() {
        std::vector<Vec3> corners;
        for (int k = 0; k < 8; ++k)
            corners.push_back(
                {k & 1 ? 100.0f : -100.0f, k & 2 ? 100.0f : -100.0f, k & 4 ? 100.0f : -100.0f});
        addPolygonShape(model, corners,
                        {{{0, 4, 6, 2}},
                         {{1, 3, 7, 5}},
                         {{0, 1, 5, 4}},
                         {{2, 6, 7, 3}},
                         {{0, 2, 3, 1}},
                         {{4, 5, 7, 6}}},
                        model.attributeCount - 1);
        for (std::int32_t a = model.shapes[model.shapeCount - 1].axisId; a < model.axisCount; ++a)
            model.axes[a].nv = {0, 0, 0};
    }
};

TEST_F(RendererFaces, ClosedShapesShowTheirThreeOuterFacesLit) {
    struct Case {
        const char* name;
        std::string build;  // the shape, with kMatteWhite linked to it
        bool bareCube;
    };
    const std::string box = "box.s = (-100, -100, -100); box.e = (100, 100, 100);";
    const std::vector<Case> cases{
        {"boxgen2", box + "boxgen2 box.s, box.e;" + kMatteWhite, false},
        {"boxgen3", box + "boxgen3 box.s, box.e;" + kMatteWhite, false},
        {"ballgen1", box + "ballgen1 box.s, box.e, 24;" + kMatteWhite, false},
        {"mesh without normals", kMatteWhite, true},
        {"boxgen2 mirrored", box + "boxgen2 box.s, box.e;" + kMatteWhite + "scale (-1, 1, 1);",
         false},
    };
    const Vec3d light = normalised(Vec3d{1, 2, 3});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        db::resetModelRecords(model);
        ASSERT_EQ(run(kCornerScene + c.build), Boxes{});
        if (c.bareCube) addBareCube();
        in.drawMode = 2;
        ASSERT_EQ(run("draw;"), Boxes{});
        // The middle of each visible face, where the normal is the face's axis.
        for (int axis = 0; axis < 3; ++axis) {
            Vec3d centre{};
            centre[axis] = 100;
            const Pixel p = at(centre);
            const int expected = static_cast<int>(255 * 0.6 * light[axis]);
            EXPECT_EQ(p.a, 255) << "face " << axis;
            EXPECT_NEAR(p.r, expected, 6) << "face " << axis;
        }
    }
}

// test.atr shows the variables on the selected shapes through the trial record, which lies
// past the attribute count.
TEST_F(RendererFaces, TrialAttributeIsShown) {
    ASSERT_EQ(run(kCornerScene + "box.s = (-100, -100, -100); box.e = (100, 100, 100);" +
                  "boxgen2 box.s, box.e;" + kMatteWhite + "a.rgb = (1, 0, 0); test.atr;"),
              Boxes{});
    in.drawMode = 2;
    ASSERT_EQ(run("draw;"), Boxes{});
    const Pixel p = at({0, 0, 100});
    EXPECT_NEAR(p.r, 122, 6);
    EXPECT_EQ(p.g, 0);
}

// The tile texture (blue and yellow squares on dark lines) on the box's three visible faces:
// every face shows both colours of the texture, never the untextured white.
TEST_F(RendererFaces, BoxMapsShowTheTextureOnEveryVisibleFace) {
    const std::string tiles = std::string(ROVORA_SOURCE_DIR) + "/examples/tiles.bmp";
    for (const char* method : {"DECALBOX", "WORLDBOX"}) {
        SCOPED_TRACE(method);
        db::resetModelRecords(model);
        ASSERT_EQ(run(kCornerScene + "box.s = (-100, -100, -100); box.e = (100, 100, 100);" +
                      "boxgen2 box.s, box.e;" + kMatteWhite + "colormapload \"" + tiles +
                      "\"; new.mapinfo; m.kind = COLORMAP24; m.method = " + method +
                      "; m.tex.id = md.point; m.xcent = 0; m.ycent = 0; m.zcent = 0;"
                      "m.xlen = 200; m.ylen = 200; m.zlen = 200; set.mapinfo;"
                      "link.mapinfo mi.point;"),
                  Boxes{});
        in.drawMode = 4;
        ASSERT_EQ(run("draw;"), Boxes{});
        // FULL renders at half size: a model point lands at half its FAST pixel.
        for (int axis = 0; axis < 3; ++axis) {
            int blue = 0;
            int yellow = 0;
            int grey = 0;
            for (int a = -9; a <= 9; ++a) {
                for (int b = -9; b <= 9; ++b) {
                    Vec3d p{};
                    p[axis] = 100;
                    p[(axis + 1) % 3] = a * 10;
                    p[(axis + 2) % 3] = b * 10;
                    const auto [x, y] = pixelOf(p);
                    const Pixel c = cbufPixel(model, x / 2, y / 2);
                    blue += c.b > c.r + 10;
                    yellow += c.r > c.b + 10;
                    grey += c.r == c.g && c.g == c.b && c.r > 40;
                }
            }
            EXPECT_GT(blue, 36) << "face " << axis;
            EXPECT_GT(yellow, 36) << "face " << axis;
            EXPECT_EQ(grey, 0) << "face " << axis;
        }
    }
}

// sample.draw: the ball of radius 80 fills a disc in the middle of the top-left 80 x 60
// pixels, nothing outside them changes, and the model keeps its counts.
TEST_F(RendererFaces, SampleDrawsTheBallInTheSampleCornerOnly) {
    ASSERT_EQ(
        run("cinit CBUF.CLEAR; box.s = (0, 0, 0); box.e = (10, 10, 10); boxgen2 box.s, box.e;" +
            kMatteWhite),
        Boxes{});
    const std::array<std::int32_t, 4> counts{model.shapeCount, model.axisCount, model.patchCount,
                                             model.blockCount};
    const db::Camera camera = model.camera;
    ASSERT_EQ(run("sample.draw;"), Boxes{});
    EXPECT_EQ((std::array<std::int32_t, 4>{model.shapeCount, model.axisCount, model.patchCount,
                                           model.blockCount}),
              counts);
    EXPECT_EQ(model.camera.pos, camera.pos);
    int inside = 0;
    int outside = 0;
    for (int y = 0; y < model.colorBuffer.height; ++y) {
        for (int x = 0; x < model.colorBuffer.width; ++x) {
            const bool covered = cbufPixel(model, x, y).a != 0;
            if (x >= 80 || y >= 60) {
                outside += covered;
                continue;
            }
            const double d = std::hypot(x + 0.5 - 40, y + 0.5 - 30);
            if (d < 22) inside += !covered;
            if (d > 30) outside += covered;
        }
    }
    EXPECT_EQ(inside, 0);
    EXPECT_EQ(outside, 0);
    // The centre faces the light: lit, not only the additive colour.
    EXPECT_GT(cbufPixel(model, 40, 30).r, 60);
}

}  // namespace
}  // namespace rz::test
