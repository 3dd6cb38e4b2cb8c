// cinit, drawmode and setquality as scripts use them.

#include <gtest/gtest.h>

#include "render/render_messages.hpp"
#include "script/messages.hpp"
#include "tests/render/started_renderer.hpp"

namespace rz::test {
namespace {

namespace rmsg = render::msg;
namespace smsg = script::msg;
using Boxes = std::vector<std::string>;

class RendererCommands : public StartedViews {};

struct FillCase {
    const char* text;
    int x, y;
    Pixel expected;
};

TEST_F(RendererCommands, CinitFillsByCode) {
    const FillCase cases[] = {
        {"cinit CBUF.ICHIMATU, (1, 0, 0);", 0, 0, {255, 0, 0, 0}},
        {"cinit CBUF.ICHIMATU, (1, 0, 0);", 7, 7, {255, 0, 0, 0}},
        {"cinit CBUF.ICHIMATU, (1, 0, 0);", 8, 8, {255, 0, 0, 0}},
        {"cinit CBUF.ICHIMATU, (1, 0, 0);", 15, 15, {255, 0, 0, 0}},
        {"cinit CBUF.ICHIMATU, (1, 0, 0);", 8, 0, {255, 255, 255, 0}},
        {"cinit CBUF.ICHIMATU, (1, 0, 0);", 15, 7, {255, 255, 255, 0}},
        {"cinit CBUF.ICHIMATU, (1, 0, 0);", 0, 8, {255, 255, 255, 0}},
        {"cinit CBUF.FILL, (1.5, -0.2, 0.5);", 100, 100, {255, 0, 127, 0}},
        {"cinit CBUF.FILL;", 3, 3, {0, 0, 0, 0}},
        {"cbuf.code = 1; cbuf.color.v = (300, 20, 40.9); cinit;", 5, 5, {255, 20, 40, 0}},
        {"cinit CBUF.FILL, (0, 1, 0); cinit CBUF.BLACK.SAMPLE;", 79, 59, {0, 0, 0, 0}},
        {"cinit CBUF.FILL, (0, 1, 0); cinit CBUF.BLACK.SAMPLE;", 80, 59, {0, 255, 0, 0}},
        {"cinit CBUF.FILL, (0, 1, 0); cinit CBUF.ICHIMATU.SAMPLE, (0, 0, 1);",
         79,
         48,
         {255, 255, 255, 0}},
        {"cinit CBUF.FILL, (0, 1, 0); cinit CBUF.ICHIMATU.SAMPLE, (0, 0, 1);",
         79,
         59,
         {0, 0, 255, 0}},
        {"cinit CBUF.FILL, (0, 1, 0); cinit CBUF.ICHIMATU.SAMPLE, (0, 0, 1);",
         80,
         0,
         {0, 255, 0, 0}},
        {"cinit CBUF.FILL, (0, 1, 0); cinit CBUF.NOCLEAR, (1, 0, 0);", 9, 9, {0, 255, 0, 0}},
        {"cinit CBUF.FILL, (0, 1, 0); cinit CBUF.CLEAR;", 639, 479, {0, 0, 0, 0}},
    };
    for (const FillCase& c : cases) {
        EXPECT_EQ(run(c.text), Boxes{}) << c.text;
        EXPECT_EQ(cbufPixel(model, c.x, c.y), c.expected) << c.text << " at " << c.x << "," << c.y;
    }
}

TEST_F(RendererCommands, CinitRefusesBadArguments) {
    const std::pair<const char*, Boxes> cases[] = {
        {"cinit 7;", {err(smsg::kBadParam), kRunFailed}},
        {"cinit CBUF.FILL (1, 0, 0);", {err(smsg::kBadSeparator), kRunFailed}},
        {"cinit \"x\";", {err(smsg::kBadParam), kRunFailed}},
    };
    for (const auto& [text, boxes] : cases) {
        run("cinit CBUF.FILL, (0, 0, 1);");
        EXPECT_EQ(run(text), boxes) << text;
        EXPECT_EQ(cbufPixel(model, 1, 1), (Pixel{0, 0, 255, 0})) << text;
    }
}

TEST_F(RendererCommands, DrawmodeStoresAndReports) {
    const std::pair<const char*, std::vector<std::string>> cases[] = {
        {"drawmode RAPID;", {std::string(rmsg::kModeFast)}},
        {"drawmode QUICK;", {std::string(rmsg::kModeFast)}},
        {"drawmode CHECK;", {std::string(rmsg::kModeCheck)}},
        {"drawmode FINE;", {std::string(rmsg::kModeFine)}},
        {"drawmode FINISH;", {std::string(rmsg::kModeFinish)}},
        {"drawmode WIRE;", {}},
        {"drawmode 99;", {}},
    };
    for (const auto& [text, console] : cases) {
        EXPECT_EQ(run(text), Boxes{}) << text;
        EXPECT_EQ(consoleTexts(), console) << text;
    }
    EXPECT_EQ(in.drawMode, 99);
    EXPECT_EQ(run("drawmode 8;"), (Boxes{err(smsg::kBadParam), kRunFailed}));
    EXPECT_EQ(in.drawMode, 0);
}

TEST_F(RendererCommands, SetqualityTakesZeroOrOne) {
    EXPECT_EQ(run("setquality 1;"), Boxes{});
    EXPECT_EQ(consoleTexts(), std::vector<std::string>{std::string(rmsg::kQualityHigh)});
    EXPECT_EQ(w.renderer.state.quality, 1);
    EXPECT_EQ(run("setquality 0;"), Boxes{});
    EXPECT_EQ(consoleTexts(), std::vector<std::string>{std::string(rmsg::kQualityNormal)});
    EXPECT_EQ(run("setquality 2;"), (Boxes{err(smsg::kBadParam), kRunFailed}));
    EXPECT_EQ(w.renderer.state.quality, 0);
}

TEST_F(RendererCommands, ZinitEmptiesTheZBufferAndTakesNoArguments) {
    w.renderer.workers[0]->zbuffer[5].depth = 7;
    EXPECT_EQ(run("zinit;"), Boxes{});
    EXPECT_EQ(w.renderer.workers[0]->zbuffer[5].depth, render::kEmptyDepth);
    EXPECT_EQ(run("drawinit 1;"), (Boxes{err(smsg::kTooManyParams), kRunFailed}));
}

}  // namespace
}  // namespace rz::test
