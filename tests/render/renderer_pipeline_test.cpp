// What a render puts into the C-Buffer and says: coverage of faces, tiles and the refusals of
// faces the pipeline cannot take.

#include <gtest/gtest.h>

#include <cmath>

#include "platform/message_service.hpp"
#include "render/render_messages.hpp"
#include "render/render_screen.hpp"
#include "render/renderer.hpp"
#include "tests/render/started_renderer.hpp"

namespace rz::test {
namespace {

namespace rmsg = render::msg;
using Boxes = std::vector<std::string>;

class RendererPipeline : public StartedViews {
  protected:
    RendererPipeline() : StartedViews(rendererSettings(1)) {
        run(kSquareCamera + " cinit CBUF.CLEAR;");
    }
    // Renders in `mode` through draw; the boxes it showed.
    Boxes draw(int mode, const char* command = "draw;") {
        in.drawMode = static_cast<std::uint8_t>(mode);
        return run(command);
    }
    int covered() const {
        int n = 0;
        for (int y = 0; y < model.colorBuffer.height; ++y)
            for (int x = 0; x < model.colorBuffer.width; ++x) n += cbufPixel(model, x, y).a == 255;
        return n;
    }
};

// x = +-250, y = +-250 lands on pixels 240..400 by 160..320: the pixels whose centres lie inside.
TEST_F(RendererPipeline, SquareFacingTheCameraCoversExactlyItsPixels) {
    addSquare(model, 250, 0);
    ASSERT_EQ(draw(2), Boxes{});
    EXPECT_EQ(covered(), 160 * 160);
    for (const auto& [x, y, in] : std::vector<std::tuple<int, int, bool>>{{240, 160, true},
                                                                          {399, 319, true},
                                                                          {239, 200, false},
                                                                          {400, 200, false},
                                                                          {300, 159, false},
                                                                          {300, 320, false}}) {
        EXPECT_EQ(cbufPixel(model, x, y).a == 255, in) << x << "," << y;
    }
}

TEST_F(RendererPipeline, TriangleHasNoGap) {
    addPolygonShape(model, {{-400, -300, 0}, {380, -250, 0}, {-100, 350, 0}}, {{{0, 1, 2}}});
    ASSERT_EQ(draw(2), Boxes{});
    const auto screen = [](float x, float y) {
        return std::pair<double, double>{(x / 1000.0 + 1) * 320, (0.75 - y / 1000.0) * 320};
    };
    const auto [ax, ay] = screen(-400, -300);
    const auto [bx, by] = screen(380, -250);
    const auto [cx, cy] = screen(-100, 350);
    // Signed distance of a pixel centre from an edge, in pixels.
    const auto inside = [](double px, double py, double x0, double y0, double x1, double y1) {
        return ((x1 - x0) * (py - y0) - (y1 - y0) * (px - x0)) / std::hypot(x1 - x0, y1 - y0);
    };
    int missing = 0;
    int extra = 0;
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            const double px = x + 0.5;
            const double py = y + 0.5;
            const double d =
                std::min({inside(px, py, ax, ay, cx, cy), inside(px, py, cx, cy, bx, by),
                          inside(px, py, bx, by, ax, ay)});
            const bool hit = cbufPixel(model, x, y).a == 255;
            missing += d > 0.01 && !hit;
            extra += d < -0.01 && hit;
        }
    }
    EXPECT_EQ(missing, 0);
    EXPECT_EQ(extra, 0);
}

TEST_F(RendererPipeline, FineRendersSixteenTilesInOrder) {
    addSquare(model, 250, 0);
    ASSERT_EQ(draw(6), Boxes{});
    const std::vector<std::string> statuses = sink.statuses();
    ASSERT_EQ(statuses.size(), 16u);
    EXPECT_EQ(statuses.front(), "Process screen count: 1 / 16\n");
    EXPECT_EQ(statuses.back(), "Process screen count: 16 / 16\n");
    EXPECT_EQ(consoleTexts(), std::vector<std::string>{std::string(rmsg::kDrawDone)});
    // Half-covered pixels at the square's edge: FINE samples 2 x 2.
    EXPECT_EQ(cbufPixel(model, 300, 200).a, 255);
}

struct ScreenCase {
    int mode;
    int zbuf;
    int totalWidth, tileWidth, tiles, antiAlias, layers;
};

TEST(RendererScreen, TilesPerModeAndZBufferSize) {
    const ScreenCase cases[] = {
        {1, 2, 320, 320, 1, 0, 4},   {1, 1, 160, 160, 1, 0, 4},   {2, 2, 640, 640, 1, 0, 1},
        {2, 3, 1280, 1280, 1, 0, 1}, {4, 2, 320, 320, 1, 0, 4},   {5, 2, 80, 320, 1, 0, 4},
        {6, 2, 1280, 320, 16, 1, 4}, {6, 1, 1280, 160, 64, 1, 4}, {6, 4, 1280, 1280, 1, 1, 4},
        {7, 2, 2560, 320, 64, 2, 4},
    };
    for (const ScreenCase& c : cases) {
        const render::Screen s = render::screenFor(c.mode, c.zbuf, 640, 480);
        EXPECT_EQ(s.totalWidth, c.totalWidth) << c.mode << "/" << c.zbuf;
        EXPECT_EQ(s.tileWidth, c.tileWidth) << c.mode << "/" << c.zbuf;
        EXPECT_EQ(s.tileCount(), c.tiles) << c.mode << "/" << c.zbuf;
        EXPECT_EQ(s.antiAlias, c.antiAlias) << c.mode << "/" << c.zbuf;
        EXPECT_EQ(s.layers, c.layers) << c.mode << "/" << c.zbuf;
        // Every tile's entries fit the Z-Buffer start-up gives this zbuf_flag.
        const render::Tile t = render::tileOf(s, s.tileCount() - 1);
        const std::size_t quarters[] = {1, 4, 16, 64};
        EXPECT_LE(static_cast<std::size_t>(t.width()) * t.height() * s.layers,
                  640u * 480u * quarters[c.zbuf - 1] / 4)
            << c.mode << "/" << c.zbuf;
    }
}

TEST_F(RendererPipeline, FaceTooLargeForTheCountStackIsDroppedWithItsMessage) {
    std::vector<Vec3> ring;
    Face face;
    for (int k = 0; k < 600; ++k) {
        const double a = k * 2 * M_PI / 600;
        ring.push_back(
            {static_cast<float>(200 * std::cos(a)), static_cast<float>(200 * std::sin(a)), 0});
        face.corners.push_back(k);
    }
    addPolygonShape(model, ring, {face});
    addSquare(model, 10, 0);
    EXPECT_EQ(draw(2), (Boxes{err(rmsg::kCountStackFull), err(platform::kInternalError)}));
    // The next shape is still drawn; of the large face nothing is.
    EXPECT_EQ(covered(), 6 * 6);
}

TEST_F(RendererPipeline, LargerFacesAreCutIntoTriangles) {
    // An L-shaped hexagon: its cut must not cover the notch.
    addPolygonShape(
        model,
        {{-250, -250, 0}, {250, -250, 0}, {250, 0, 0}, {0, 0, 0}, {0, 250, 0}, {-250, 250, 0}},
        {{{0, 1, 2, 3, 4, 5}}});
    ASSERT_EQ(draw(2), Boxes{});
    EXPECT_EQ(covered(), 160 * 160 * 3 / 4);
    EXPECT_EQ(cbufPixel(model, 390, 170).a, 0);
    EXPECT_EQ(cbufPixel(model, 390, 310).a, 255);
}

TEST_F(RendererPipeline, FaceWithNoCutIsIllegal) {
    // A pentagram: every diagonal of its ring crosses an edge.
    std::vector<Vec3> star;
    for (int k = 0; k < 5; ++k) {
        const double a = M_PI / 2 + k * 4 * M_PI / 5;
        star.push_back(
            {static_cast<float>(200 * std::cos(a)), static_cast<float>(200 * std::sin(a)), 0});
    }
    addPolygonShape(model, star, {{{0, 1, 2, 3, 4}}});
    EXPECT_EQ(draw(2), Boxes{});
    EXPECT_EQ(consoleTexts(), (std::vector<std::string>{std::string(rmsg::kIllegalPolygon),
                                                        std::string(rmsg::kDrawDone)}));
}

TEST_F(RendererPipeline, LayerFilterAndHiddenLayers) {
    addSquare(model, 250, 0);
    model.shapes[0].layer = 2;
    EXPECT_EQ(draw(2), Boxes{});
    EXPECT_EQ(consoleTexts(),
              (std::vector<std::string>{"shapes[0].layer(2)", std::string(rmsg::kDrawDone)}));
    EXPECT_EQ(covered(), 0);
    model.shapes[0].layer = 1;
    EXPECT_EQ(draw(2, "draw 0;"), Boxes{});
    EXPECT_EQ(covered(), 0);
    EXPECT_EQ(draw(2, "draw 1;"), Boxes{});
    EXPECT_EQ(covered(), 160 * 160);
}

// A stop seen after the first shape of the first tile: that tile is not resolved and no
// other is begun.
TEST_F(RendererPipeline, StopKeepsFinishedTilesOnly) {
    addSquare(model, 250, 0);
    sink.clear();
    in.interrupted.store(true);
    EXPECT_EQ(render::render(w.renderer, in, -1, 6), render::RenderOutcome::Aborted);
    in.interrupted.store(false);
    EXPECT_EQ(sink.statuses(), std::vector<std::string>{"Process screen count: 1 / 16\n"});
    EXPECT_EQ(covered(), 0);
}

}  // namespace
}  // namespace rz::test
