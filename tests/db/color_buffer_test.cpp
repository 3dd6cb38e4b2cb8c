// The rendered image exists from start-up, sized by the rendering resolution, so that map
// images can be cut from it before anything was rendered.
#include <gtest/gtest.h>

#include <algorithm>

#include "started_database.hpp"

namespace rz::test {
namespace {

db::Settings resolution(std::uint8_t flag) {
    db::Settings s;
    s.cbufFlag = flag;
    return s;
}

class DefaultImage : public StartedDatabase {};

class LargeImage : public StartedDatabase {
  protected:
    LargeImage() : StartedDatabase(resolution(3)) {}
};

TEST_F(DefaultImage, IsClearedAt640By480) {
    EXPECT_EQ(model.colorBuffer.width, 640);
    EXPECT_EQ(model.colorBuffer.height, 480);
    ASSERT_EQ(model.colorBuffer.pixels.size(), 640u * 480u * 4u);
    EXPECT_TRUE(std::all_of(model.colorBuffer.pixels.begin(), model.colorBuffer.pixels.end(),
                            [](std::uint8_t b) { return b == 0; }));
}

TEST_F(DefaultImage, TheStartImageAreaCanBeCutIntoAMapImage) {
    // The image area variables start as the 320 x 240 rectangle at the top left.
    run("var k; k = COLORMAP24; set.mapimage k, i.ustart, i.vstart, i.uend, i.vend;");
    EXPECT_TRUE(sink.boxes().empty());
    EXPECT_EQ(model.mapdataCount, 2);
    EXPECT_EQ(model.textureBytesUsed, 320 * 240 * 3);
    EXPECT_EQ(model.mapdatas[1].width, 320);
    EXPECT_EQ(model.mapdatas[1].height, 240);
}

TEST_F(LargeImage, FollowsTheResolutionSetting) {
    EXPECT_EQ(model.colorBuffer.width, 1024);
    EXPECT_EQ(model.colorBuffer.height, 768);
    EXPECT_EQ(model.colorBuffer.pixels.size(), 1024u * 768u * 4u);
}

}  // namespace
}  // namespace rz::test
