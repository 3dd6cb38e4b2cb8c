// The map image commands: rectangles of the colour buffer kept as texture images, and
// their deletion with everything that refers to them.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "record_test_support.hpp"

namespace rz::test {
namespace {

using Texts = std::vector<std::string>;
using Bytes = std::vector<std::uint8_t>;
namespace smsg = script::msg;

constexpr const char* kStored = "■■　マッピングイメージの登録，ＯＫ！　■■";
constexpr const char* kDeleted = "■■　マッピングイメージの削除，ＯＫ！　■■";

class MapImageTest : public RecordTest {
  protected:
    // An 8 x 4 colour buffer: pixel (x, y) is (x, y, 100 + x + 10 y, 250).
    void SetUp() override {
        db::ColorBuffer& c = model.colorBuffer;
        c.width = 8;
        c.height = 4;
        c.pixels.resize(8 * 4 * 4);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 8; ++x) {
                std::uint8_t* p = c.pixels.data() + (y * 8 + x) * 4;
                p[0] = static_cast<std::uint8_t>(x);
                p[1] = static_cast<std::uint8_t>(y);
                p[2] = static_cast<std::uint8_t>(100 + x + 10 * y);
                p[3] = 250;
            }
        run("var k;");
    }

    // Cuts the rectangle as the mapping dialog does, through the i. variables.
    void cut(int kind, int x0, int y0, int x1, int y1) {
        runFresh("k = " + std::to_string(kind) + "; i.ustart = " + std::to_string(x0) +
                 "; i.vstart = " + std::to_string(y0) + "; i.uend = " + std::to_string(x1) +
                 "; i.vend = " + std::to_string(y1) +
                 "; set.mapimage k, i.ustart, i.vstart, i.uend, i.vend;");
    }

    Bytes image(int n) {
        const db::Mapdata& m = model.mapdatas[n];
        const auto* p = model.textureBuffer.data() + m.offset;
        return Bytes(p, p + m.size);
    }
};

TEST_F(MapImageTest, ColourImageKeepsThreeBytesOfEveryPixel) {
    cut(2, 1, 1, 3, 2);
    EXPECT_EQ(errors(), Texts{});
    EXPECT_EQ(statuses(), Texts{kStored});
    EXPECT_EQ(model.mapdataCount, 2);
    EXPECT_EQ(model.textureBytesUsed, 18);
    const db::Mapdata& m = model.mapdatas[1];
    EXPECT_EQ(m.kind, 2);
    EXPECT_EQ(m.width, 3);
    EXPECT_EQ(m.height, 2);
    EXPECT_EQ(m.offset, 0u);
    EXPECT_EQ(m.size, 18u);
    EXPECT_EQ(image(1), (Bytes{1, 1, 111, 2, 1, 112, 3, 1, 113, 1, 2, 121, 2, 2, 122, 3, 2, 123}));
}

TEST_F(MapImageTest, BytesPerPixelFollowTheKind) {
    const struct {
        int kind;
        Bytes bytes;  // of pixel (5, 3)
    } cases[] = {
        {3, {5, 3, 135, 250}},
        {4, {5}},
        {11, {5}},
        {21, {5}},
    };
    for (const auto& c : cases) {
        model.mapdataCount = 1;
        model.textureBytesUsed = 0;
        cut(c.kind, 5, 3, 5, 3);
        EXPECT_EQ(errors(), Texts{}) << c.kind;
        EXPECT_EQ(image(1), c.bytes) << c.kind;
        EXPECT_EQ(model.mapdatas[1].kind, c.kind);
    }
}

TEST_F(MapImageTest, FullStoresRefuseTheImageAndAddNothing) {
    cut(3, 0, 0, 7, 1);  // 64 bytes: the whole texture buffer
    ASSERT_EQ(errors(), Texts{});
    cut(4, 0, 0, 0, 0);
    EXPECT_EQ(errors(), (Texts{errorText(" テクスチャ画像データ記憶域がオーバーフローだぁ！ \n"),
                               kRunFailed}));
    EXPECT_EQ(model.mapdataCount, 2);
    EXPECT_EQ(model.textureBytesUsed, 64);

    model.textureBytesUsed = 0;
    model.mapdataCount = 3;
    cut(4, 0, 0, 0, 0);
    EXPECT_EQ(errors(), (Texts{errorText(" マッピング画像データ記憶域がオーバーフローだぁ！ \n"),
                               kRunFailed}));
    EXPECT_EQ(model.textureBytesUsed, 0);
}

TEST_F(MapImageTest, OnlyRectanglesOfTheBufferCanBeCut) {
    const int rectangles[][4] = {
        {-1, 0, 2, 2}, {0, 0, 8, 1}, {0, 0, 1, 4}, {3, 0, 2, 1}, {0, 2, 1, 1}};
    for (const auto& r : rectangles) {
        cut(2, r[0], r[1], r[2], r[3]);
        EXPECT_EQ(errors(), (Texts{errorText(smsg::kValueNotCorrect), kRunFailed}))
            << r[0] << "," << r[1] << "," << r[2] << "," << r[3];
    }
    model.colorBuffer = {};
    cut(2, 0, 0, 0, 0);
    EXPECT_EQ(errors(), (Texts{errorText(smsg::kValueNotCorrect), kRunFailed}));
    EXPECT_EQ(model.mapdataCount, 1);
    EXPECT_EQ(model.textureBytesUsed, 0);
}

TEST_F(MapImageTest, ArgumentsAreVariablesSeparatedByCommas) {
    const struct {
        const char* statement;
        std::string_view message;
    } cases[] = {
        {"set.mapimage 2, i.ustart, i.vstart, i.uend, i.vend;", smsg::kBadVariableType},
        {"set.mapimage k i.ustart, i.vstart, i.uend, i.vend;", smsg::kBadSeparator},
        {"set.mapimage k, i.ustart; i.vstart, i.uend, i.vend;", smsg::kBadSeparator},
        {"set.mapimage k, i.ustart, i.vstart, i.uend, i.vend, k;", smsg::kTooManyParams},
        {"disp.mapimage 1;", smsg::kBadVariableType},
        {"del.mapimage \"1\";", smsg::kBadVariableType},
        {"get.imagearea i.ustart, i.vstart, i.uend;", smsg::kBadSeparator},
    };
    for (const auto& c : cases) {
        runFresh(c.statement);
        const Texts shown = errors();
        ASSERT_FALSE(shown.empty()) << c.statement;
        EXPECT_EQ(shown.front(), errorText(c.message)) << c.statement;
    }
    EXPECT_EQ(model.mapdataCount, 1);
}

TEST_F(MapImageTest, DeleteMovesLaterImagesAndRenumbersTheMapinfos) {
    cut(2, 1, 1, 3, 2);  // image 1: 18 bytes
    cut(3, 5, 3, 5, 3);  // image 2: 4 bytes
    model.mapinfoCount = 4;
    model.mapinfos[1].texId = 1;
    model.mapinfos[2].texId = 2;
    model.mapinfos[3].texId = 0;
    runFresh("let m.tex.id 2; var n; n = 1; del.mapimage n;");
    EXPECT_EQ(errors(), Texts{});
    EXPECT_EQ(statuses(), Texts{kDeleted});
    EXPECT_EQ(model.mapdataCount, 2);
    EXPECT_EQ(model.textureBytesUsed, 4);
    EXPECT_EQ(model.mapdatas[1].offset, 0u);
    EXPECT_EQ(model.mapdatas[1].kind, 3);
    EXPECT_EQ(image(1), (Bytes{5, 3, 135, 250}));
    EXPECT_EQ(model.mapdatas[0].offset, 0u);
    EXPECT_EQ(model.mapinfos[1].texId, 0);
    EXPECT_EQ(model.mapinfos[2].texId, 1);
    EXPECT_EQ(model.mapinfos[3].texId, 0);
    EXPECT_EQ(scalar("m.tex.id"), 1.0f);
}

TEST_F(MapImageTest, DeleteRefusesTheReservedImageAndMissingOnes) {
    cut(2, 0, 0, 0, 0);
    run("var n;");
    for (const char* n : {"0", "2", "-1"}) {
        runFresh(std::string("n = ") + n + "; del.mapimage n;");
        EXPECT_EQ(errors(), (Texts{errorText(smsg::kValueNotCorrect), kRunFailed})) << n;
    }
    EXPECT_EQ(model.mapdataCount, 2);
    EXPECT_EQ(model.textureBytesUsed, 3);
}

TEST_F(MapImageTest, ImageAreaIsSortedIntoTheBuffer) {
    for (const char* command : {"get.imagearea", "disp.imagearea"}) {
        runFresh(std::string("i.ustart = 5; i.vstart = 9; i.uend = -3; i.vend = 1; ") + command +
                 " i.ustart, i.vstart, i.uend, i.vend;");
        EXPECT_EQ(errors(), Texts{}) << command;
        EXPECT_EQ(scalar("i.ustart"), 0.0f) << command;
        EXPECT_EQ(scalar("i.vstart"), 1.0f) << command;
        EXPECT_EQ(scalar("i.uend"), 5.0f) << command;
        EXPECT_EQ(scalar("i.vend"), 3.0f) << command;
    }
}

TEST_F(MapImageTest, DisplayMakesTheImageCurrent) {
    cut(2, 0, 0, 1, 1);
    runFresh("var n; n = 1; disp.mapimage n;");
    EXPECT_EQ(statuses(), Texts{"■■　マッピングイメージの表示，ＯＫ！　■■"});
    EXPECT_EQ(scalar("md.point"), 1.0f);
    EXPECT_EQ(model.currentMapdata, 1);
    runFresh("n = 2; disp.mapimage n;");
    EXPECT_EQ(errors(), (Texts{errorText(smsg::kValueNotCorrect), kRunFailed}));

    runFresh("set.mdcount n;");
    EXPECT_EQ(scalar("n"), 2.0f);
    model.mapdataCount = 3;
    runFresh("set.mdcount n;");
    EXPECT_EQ(scalar("n"), 2.0f);
}

}  // namespace
}  // namespace rz::test
