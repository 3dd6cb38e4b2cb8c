// set.glviewmode and set.glviewsize, the preview's viewport, and the scene it builds from the
// model: which shapes, which faces and normals, which materials and map images. When a new
// scene is built is the real-time display's test.
#include <gtest/gtest.h>

#include "render/gl_messages.hpp"
#include "render/gl_scene.hpp"
#include "render/gl_view_modes.hpp"
#include "script/messages.hpp"
#include "tests/render/gl_test_model.hpp"
#include "tests/render/started_views.hpp"

namespace rz::test {
namespace {

namespace rmsg = render::msg;
using Boxes = std::vector<std::string>;

class GlView : public StartedViews {
  protected:
    render::RenderState& state() { return w.renderer.state; }
    render::GlScene build(int mode) {
        render::GlScene scene;
        render::buildGlScene(scene, in, mode);
        return scene;
    }
};

struct CommandCase {
    const char* text;
    std::uint8_t render::RenderState::*field;
    int stored;
    std::string_view console;  // empty when refused
};

TEST_F(GlView, CommandsStoreTheModeAndSize) {
    using render::RenderState;
    const CommandCase cases[] = {
        {"set.glviewmode GLVIEW.WIREFRAME;", &RenderState::glViewMode, 1, rmsg::kGlWireframe},
        {"set.glviewmode 2;", &RenderState::glViewMode, 2, rmsg::kGlDepthWire},
        {"set.glviewmode GLVIEW.FLATSHADE;", &RenderState::glViewMode, 11, rmsg::kGlFlat},
        {"set.glviewmode GLVIEW.FLATMAP;", &RenderState::glViewMode, 12, rmsg::kGlFlatMap},
        {"set.glviewmode 10 + 11.5;", &RenderState::glViewMode, 21, rmsg::kGlSmooth},
        {"set.glviewmode GLVIEW.SMOOTHMAP;", &RenderState::glViewMode, 22, rmsg::kGlSmoothMap},
        {"set.glviewmode 5;", &RenderState::glViewMode, 11, {}},
        {"set.glviewmode -1;", &RenderState::glViewMode, 11, {}},
        {"set.glviewsize GLVIEW.FULLSIZE;", &RenderState::glViewSize, 2, rmsg::kGlFullSize},
        {"set.glviewsize GLVIEW.HALFSIZE;", &RenderState::glViewSize, 1, rmsg::kGlHalfSize},
        {"set.glviewsize 3;", &RenderState::glViewSize, 1, {}},
    };
    for (const CommandCase& c : cases) {
        SCOPED_TRACE(c.text);
        state().glViewMode = 22;
        state().glViewSize = 2;
        if (c.stored == 22 || c.stored == 2) state().*c.field = 0;
        const Boxes boxes = run(c.text);
        EXPECT_EQ(state().*c.field, c.stored);
        if (c.console.empty()) {
            EXPECT_EQ(boxes, (Boxes{err(script::msg::kBadParam), kRunFailed}));
            EXPECT_TRUE(consoleTexts().empty());
        } else {
            EXPECT_EQ(boxes, Boxes{});
            EXPECT_EQ(consoleTexts(), std::vector<std::string>{std::string(c.console)});
        }
    }
}

TEST_F(GlView, StartsFlatAtHalfSizeAndRefusesExtraArguments) {
    EXPECT_EQ(state().glViewMode, 11);
    EXPECT_EQ(state().glViewSize, 1);
    EXPECT_FALSE(run("set.glviewmode 1, 2;").empty());
    EXPECT_FALSE(run("set.glviewsize;").empty());
    EXPECT_EQ(state().glViewSize, 1);
}

TEST(GlViewport, HalfSizeIsTheCentredHalf) {
    EXPECT_EQ(render::glViewport(render::kGlHalfSize, 640, 480),
              (render::GlViewport{160, 120, 320, 240}));
    EXPECT_EQ(render::glViewport(render::kGlHalfSize, 641, 3),
              (render::GlViewport{160, 0, 320, 1}));
    EXPECT_EQ(render::glViewport(render::kGlFullSize, 640, 480),
              (render::GlViewport{0, 0, 640, 480}));
}

TEST_F(GlView, HiddenGuideAndReservedLayersAreNotDrawn) {
    const struct {
        int layer;
        bool drawn;
    } cases[] = {{0, true},   {1, true},   {2, false}, {10, false},
                 {20, false}, {50, false}, {100, true}};
    const int s = addSquare(model, 0, 0, 0, 100);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.layer);
        model.shapes[s].layer = static_cast<std::uint8_t>(c.layer);
        EXPECT_EQ(build(11).vertices.size(), c.drawn ? 6u : 0u);
    }
}

TEST_F(GlView, FacingFollowsTheShapeAndTheAttribute) {
    const Vec3 up{0, 0, 1};
    const Vec3 down{0, 0, -1};
    const struct {
        const char* name;
        int lrflag;
        int faceSwitch;
        int mode;
        bool clockwise;
        std::size_t batches;
        Vec3 normal;  // of the first pass
    } cases[] = {
        {"as wound", 0, 0, 11, false, 1, up},
        {"reversed, flat", 1, 0, 11, true, 1, down},
        {"reversed, smooth", 1, 0, 21, true, 1, down},
        {"reversed by the attribute", 0, 1, 21, true, 1, down},
        {"two-sided", 2, 0, 21, false, 2, up},
        {"two-sided by the attribute", 0, 2, 11, false, 2, up},
        {"the shape's flag before the attribute", 2, 1, 11, false, 2, up},
    };
    const int s = addSquare(model, 0, 0, 0, 100);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        model.shapes[s].lrflag = static_cast<std::uint8_t>(c.lrflag);
        model.attributes[0].face = static_cast<std::uint8_t>(c.faceSwitch);
        model.attributes[0].smooth = 1;
        const render::GlScene scene = build(c.mode);
        ASSERT_EQ(scene.batches.size(), c.batches);
        EXPECT_EQ(scene.batches[0].frontClockwise, c.clockwise);
        EXPECT_TRUE(scene.batches[0].cullBack);
        for (std::size_t k = 0; k < 6; ++k) EXPECT_EQ(scene.vertices[k].normal, c.normal);
        if (c.batches < 2) continue;
        // The second pass: the same corners in reverse order, facing the other way.
        const render::GlBatch& turned = scene.batches[1];
        ASSERT_EQ(turned.count, 6u);
        EXPECT_TRUE(turned.cullBack);
        EXPECT_EQ(scene.vertices[6].position, scene.vertices[4].position);
        for (std::size_t k = 6; k < 12; ++k) EXPECT_EQ(scene.vertices[k].normal, down);
    }
}

TEST_F(GlView, ABoxIsClosedAndLitOnEverySideWhateverItsFlag) {
    ASSERT_EQ(run("box.s = (0, 0, 0); box.e = (100, 100, 100); boxgen2 box.s, box.e;"), Boxes{});
    const std::int32_t counts[] = {model.axisCount, model.patchCount, model.shapeCount};
    model.shapes[0].lrflag = 1;
    const render::GlScene scene = build(21);
    ASSERT_EQ(scene.batches.size(), 1u);
    EXPECT_FALSE(scene.batches[0].frontClockwise);
    // Six faces, each facing out of the box although the box has no vertex normals.
    ASSERT_EQ(scene.vertices.size(), 36u);
    for (std::size_t k = 0; k < 36; k += 6) {
        const render::GlVertex& v = scene.vertices[k];
        const Vec3 out{v.position[0] - 50, v.position[1] - 50, v.position[2] - 50};
        EXPECT_GT(v.normal[0] * out[0] + v.normal[1] * out[1] + v.normal[2] * out[2], 0.0f) << k;
    }
    const std::int32_t after[] = {model.axisCount, model.patchCount, model.shapeCount};
    EXPECT_TRUE(std::equal(std::begin(counts), std::end(counts), std::begin(after)));
}

TEST_F(GlView, PolygonFacesOfAnySizeAndTheirTurnedPassUnculled) {
    const int square = addSquare(model, 0, 0, 0, 100);
    const auto first = model.shapes[square].axisId;
    db::Shape& s = model.shapes[model.shapeCount++];
    s = model.shapes[square];
    s.kind = db::kShapePolygon;
    s.lrflag = 2;
    s.patchId = static_cast<std::uint32_t>(model.patchCount);
    const std::int32_t a = static_cast<std::int32_t>(first);
    const std::int32_t faces[] = {-3,    a, a + 2, a + 3,  // triangle
                                  -4,    a, a + 2, a + 3,
                                  a + 1,  // quadrilateral
                                  -5,    a, a + 2, a + 3,
                                  a + 1, a,                              // five corners
                                  -3,    a, a + 2, model.axisCount + 7,  // an axis not in use
                                  -2,    a, a + 1};                      // too few corners
    for (std::int32_t f : faces) model.patches[model.patchCount++] = f;
    s.patchTotal = static_cast<std::uint32_t>(std::size(faces));
    model.shapes[square].layer = 2;
    const render::GlScene scene = build(11);
    ASSERT_EQ(scene.batches.size(), 2u);
    EXPECT_EQ(scene.batches[0].count, 3u + 6u + 9u);
    EXPECT_TRUE(scene.batches[0].cullBack);
    EXPECT_EQ(scene.batches[1].count, 3u + 6u + 9u);
    EXPECT_FALSE(scene.batches[1].cullBack);
}

TEST_F(GlView, AShapeOfBlockZeroIsMendedAndLeftOutOnce) {
    const int s = addSquare(model, 0, 0, 0, 100);
    model.shapes[s].shapeId = 0;
    EXPECT_TRUE(build(11).vertices.empty());
    EXPECT_EQ(consoleTexts(), std::vector<std::string>{std::string(rmsg::kGlBlockIdZero)});
    EXPECT_EQ(model.shapes[s].shapeId, 1u);
    EXPECT_EQ(build(11).vertices.size(), 6u);
}

TEST_F(GlView, AnInvalidModeDrawsNothing) {
    addSquare(model, 0, 0, 0, 100);
    sink.clear();
    EXPECT_TRUE(build(5).batches.empty());
    EXPECT_EQ(consoleTexts(), std::vector<std::string>{std::string(rmsg::kGlBadViewMode)});
}

TEST_F(GlView, TheAttributeIsTheMaterial) {
    const int s = addSquare(model, 0, 0, 0, 100);
    model.attributeCount = 2;
    db::Attribute& a = model.attributes[1];
    a.prg = {0.1f, 0.2f, 0.3f};
    a.rgb = {0.4f, 0.5f, 0.6f};
    a.arg = {0.7f, 0.8f, 0.9f};
    a.gainC = 500.0f;
    model.shapes[s].attribId = 1;
    const render::GlScene scene = build(11);
    const render::GlMaterial& m = scene.batches.at(0).material;
    EXPECT_EQ(m.specular, (std::array<float, 4>{0.1f, 0.2f, 0.3f, 1.0f}));
    EXPECT_EQ(m.diffuse, (std::array<float, 4>{0.4f, 0.5f, 0.6f, 1.0f}));
    EXPECT_EQ(m.ambient, (std::array<float, 4>{0.7f, 0.8f, 0.9f, 1.0f}));
    EXPECT_EQ(m.shininess, 128.0f);  // OpenGL takes no more
    // An attribute number beyond the store falls back to record 0.
    model.shapes[s].attribId = 7;
    EXPECT_EQ(build(11).batches.at(0).material.diffuse[0], model.attributes[0].rgb[0]);
}

TEST_F(GlView, MapImagesInTheMapModesOnly) {
    const int s = addSquare(model, 0, 0, 0, 100);
    mapOneColour(model, s, 255, 0, 0);
    const struct {
        const char* name;
        int mode;
        int mapSwitch;
        std::uint32_t offset;
        int image;
    } cases[] = {
        {"flat with maps", 12, 1, 0, 1},
        {"smooth with maps", 22, 1, 0, 1},
        {"flat", 11, 1, 0, 0},
        {"smooth", 21, 1, 0, 0},
        {"attribute without maps", 22, 0, 0, 0},
        {"image beyond the pool", 12, 1, static_cast<std::uint32_t>(model.textureBuffer.size()), 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        model.attributes[0].map = static_cast<std::uint8_t>(c.mapSwitch);
        model.mapdatas[1].offset = c.offset;
        EXPECT_EQ(build(c.mode).batches.at(0).image, c.image);
    }
}

}  // namespace
}  // namespace rz::test
