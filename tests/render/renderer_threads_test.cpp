// Tiles rendered side by side give the image and the messages of one thread.

#include <gtest/gtest.h>

#include "tests/render/started_renderer.hpp"

namespace rz::test {
namespace {

struct Outcome {
    std::uint64_t hash = 0;
    std::vector<platform::RecordedMessage> log;
};

// A scene of parametric shapes, a translucent face in front and a polygon mesh.
const char* const kScene =
    "box.s = (-600, -600, -300); box.e = (-100, -100, 200); ballgen1 box.s, box.e, 12; "
    "box.s = (100, -500, -200); box.e = (500, 200, 200); cylngen1 box.s, box.e, 10, Y.DIR; "
    "box.s = (-700, 100, -400); box.e = (-50, 600, 100); boxgen2 box.s, box.e; initlayer;";

Outcome renderWith(int threads, int mode) {
    platform::RecordingSink sink;
    workstation::Workstation w(sink);
    w.start(rendererSettings(threads));
    script::execCommandString(w.interp, 0, (kScene + kSquareCamera).c_str());
    w.db.currentAttribute = 2;
    script::execCommandString(w.interp, 0, "new.atr; opacity = 0.5; a.rgb = (1, 0, 0); set.atr;");
    addSquare(w.db, 300, 400, 2);
    addPolygonShape(w.db,
                    {{0, 0, 100}, {300, 0, 100}, {300, 300, 100}, {0, 300, 100}, {150, 400, 100}},
                    {{{0, 1, 2, 4, 3}}});
    sink.clear();
    script::execCommandString(w.interp, 0, "cinit CBUF.ICHIMATU, (0, 0, 1);");
    w.interp.drawMode = static_cast<std::uint8_t>(mode);
    script::execCommandString(w.interp, 0, "draw;");
    return {cbufHash(w.db), sink.log};
}

TEST(RendererThreads, EveryModeGivesTheSameImageAndMessages) {
    for (int mode = 1; mode <= 7; ++mode) {
        const Outcome one = renderWith(1, mode);
        for (int threads : {2, 4}) {
            const Outcome many = renderWith(threads, mode);
            EXPECT_EQ(many.hash, one.hash) << "mode " << mode << ", " << threads << " threads";
            ASSERT_EQ(many.log.size(), one.log.size()) << "mode " << mode;
            for (std::size_t k = 0; k < one.log.size(); ++k)
                EXPECT_EQ(many.log[k].text, one.log[k].text) << "mode " << mode << " #" << k;
        }
    }
}

}  // namespace
}  // namespace rz::test
