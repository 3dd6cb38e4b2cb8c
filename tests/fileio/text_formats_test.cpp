// The text data files: their exact statement layout against files written by hand, round
// trips through fresh workstations, and what reading each of them does to the model.

#include <cmath>

#include "file_fixture.hpp"
#include "model_compare.hpp"
#include "sample_model.hpp"

namespace rz::test {
namespace {

// The small model of the expected files in tests/data/fileio.
const char* const kSmallModel = R"(
let axis.wv 1 2 3; let axis.nv 0 0 1; let axis.u 0.5; let axis.v 0.25; axis.add;
let patch.p -2; patch.add;
let shape.id 1; let sh.kind 62; let sh.axis.id 0; let sh.axis.total 1; let sh.patch.id 0
let sh.patch.total 0; let sh.matrix.id 1; let sh.attrib.id 0; let sh.layer 1
let sh.bbmin.v -1.5 0 0; let sh.bbmax.v 1.5 2 3; let sh.name "cube"; shape.add;
let matrix.a 1 0 0 0
 0 2 0 0
 0 0 1 0
 10 0 -5.5 1
matrix.add;
load.block 1; let b.center.v 1 2 3; let b.name "part"; set.block;
load.atr 1; let a.rgb 0.5 0.25 1; let p.spex 20; let shade.sw 1; set.atr;
let c.pos 100 200 300; let c.tar 0 0 -50; let c.rot 0 0 45; let c.upper 0 1 0; let c.zoom 60;
light 2; let l.pos 1 2 3; let l.tar 0 0 0; let l.rgb 1 0.5 0.25; let l.gain 2; let l.kind POINT2; set.light;
let m.uofs 0.5; let m.xlen 250;
)";

const char* const kSmallJoints = R"(
load.rigid 0; let rigid.pos.v 1 2 3; let rigid.old.v 1 2 3; let rigid.block1.id 1
let rigid.block2.id 0; let rigid.actor.id 1; let rigid.name "j"; set.rigid;
load.actor 1; let actor.name "arm"; set.actor;
)";

class TextFormatTest : public FileTest {
  protected:
    Workstation ws;
};

TEST_F(TextFormatTest, EachFormatWritesItsStatementLayoutByteForByte) {
    ASSERT_TRUE(ws.run(kSmallModel).empty());
    // The layouts that come from variables are written before the parts script, which
    // leaves other records current.
    for (const char* name :
         {"small.cam", "small.lig", "small.atr", "small.map", "small.mdf", "small.pts"}) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(ws.run("write " + quoted(name)).empty());
        EXPECT_EQ(readFile(name), dataFile(name));
    }
    ASSERT_TRUE(ws.run("mdlwrite " + quoted("small.sh")).empty());
    EXPECT_EQ(readFile("small.sh"), dataFile("small.sh"));
    ASSERT_TRUE(ws.run(kSmallJoints).empty());
    ASSERT_TRUE(ws.run("write " + quoted("small.mms")).empty());
    EXPECT_EQ(readFile("small.mms"), dataFile("small.mms"));
    // Nothing else is written: no texture, so no companions.
    EXPECT_EQ(files().size(), 8u);
}

// Only the reserved block, attribute 0 and the reserved actor, no rigids and no links: the
// script still loads block 1 and actor 1 and leaves out the loads of empty joint stores.
TEST_F(TextFormatTest, EmptyModelScriptNamesBlockOneAndSkipsEmptyJointLoads) {
    ASSERT_TRUE(ws.run("write " + quoted("e.mms")).empty());
    const std::string f = readFile("e.mms");
    EXPECT_EQ(f.substr(0, f.find("\n'*****  Block")),
              "' **axiscount: 0\n\n\n' **patchcount 0\n\n\n' **shapecount 0\n\n\n"
              "' **affinecount 1\n\n\n");
    for (const char* part : {
             "\n'*****  Block no. 1  *****\nload.block 1\nlet b.xyzrot.v ",
             "set.block\nlet b.point 1\nload.block b.point\n\n\n'*****  Attribute no. 0  *****\n",
             "let atr.point 0\nload.atr atr.point\n\n\nlet ml.point 0\nload.maplist ml.point\n"
             "let rigid.point -1\n\nlet rlink.point -1\n\n\n'*****  Actor no. 1  *****\n"
             "load.actor 1\n",
         }) {
        SCOPED_TRACE(part);
        EXPECT_NE(f.find(part), std::string::npos);
    }
    for (const char* absent : {"Block no. 2", "load.rigid", "load.rlink", "Actor no. 2"}) {
        SCOPED_TRACE(absent);
        EXPECT_EQ(f.find(absent), std::string::npos);
    }
    const std::string end = "set.actor\nlet actor.point 1\nload.actor actor.point\n\n";
    EXPECT_EQ(f.substr(f.size() - std::min(f.size(), end.size())), end);
    Workstation fresh;
    EXPECT_TRUE(fresh.run("read " + quoted("e.mms")).empty());
}

TEST_F(TextFormatTest, PartsAndMotionScriptsRoundTripThroughAFreshWorkstation) {
    struct Case {
        const char* name;
        bool joints;
    };
    for (const Case c : {Case{"parts.pts", false}, Case{"motion.mms", true}}) {
        SCOPED_TRACE(c.name);
        Workstation fresh;
        expectRoundTrip(dir_, path(c.name), c.joints, fresh);
        EXPECT_EQ(fresh.model.currentAttribute, fresh.model.attributeCount - 1);
    }
}

TEST_F(TextFormatTest, PartsScriptReadTwiceAppendsACopyThatPointsAtItself) {
    buildSampleModel(ws, dir_, true);
    ASSERT_TRUE(ws.run("write " + quoted("m.mms")).empty());
    EXPECT_TRUE(exists("m.MBF"));
    Workstation twice;
    ASSERT_TRUE(twice.run("read " + quoted("m.mms")).empty());
    ASSERT_TRUE(twice.run("read " + quoted("m.mms")).empty());
    const db::Database& b = twice.model;
    EXPECT_EQ(b.shapeCount, 6);
    EXPECT_EQ(b.blockCount, 5);
    EXPECT_EQ(b.axisCount, 10);
    EXPECT_EQ(b.rigidCount, 2);
    EXPECT_EQ(b.textureBytesUsed, 24);
    const db::Shape& grid = b.shapes[3];
    EXPECT_EQ(grid.shapeId, 3u);
    EXPECT_EQ(grid.axisId, 5u);
    EXPECT_EQ(grid.patchId, 11u);
    EXPECT_EQ(grid.attribId, 3 + 1);
    EXPECT_EQ(std::vector<std::int32_t>(b.patches.begin() + 14, b.patches.begin() + 22),
              (std::vector<std::int32_t>{-3, 5, 6, 7, -3, 6, 8, 7}));
    EXPECT_EQ(b.shapes[5].matrixId, 2);
    // The chain of the second grid leads to the second image, whose bytes are the first's.
    const db::Maplist& chain = b.maplists[grid.textureId];
    const db::Mapinfo& info = b.mapinfos[chain.mapinfo];
    const db::Mapdata& image = b.mapdatas[info.texId];
    EXPECT_EQ(image.offset, 12u);
    EXPECT_EQ(0, std::memcmp(b.textureBuffer.data() + 12, b.textureBuffer.data(), 12));
    EXPECT_EQ(b.rigids[1].block1, 3);
    EXPECT_EQ(b.rigids[1].block2, 4);
    EXPECT_EQ(b.rigids[1].actor, b.actorCount - 1);
    EXPECT_EQ(b.blocks[3].rlinkId, 2);
    EXPECT_EQ(b.rlinks[2].rigid, 1);
}

TEST_F(TextFormatTest, ABadPartsScriptLeavesTheModelAsItWas) {
    buildSampleModel(ws, dir_, true);
    ASSERT_TRUE(ws.run("write " + quoted("m.pts")).empty());
    const std::string good = readFile("m.pts");
    struct Case {
        const char* what;
        std::string text;
    };
    const std::vector<Case> cases{
        {"cut in the middle of a string", good.substr(0, good.find("\"box\"") + 3)},
        {"a statement that is not one", good + "\nthis is no statement\n"},
        {"a load command out of range", good + "\nload.block 99999\n"},
        {"a statement that begins with a number", good.substr(0, 2000) + "\n42\n"},
        {"a shape whose patches lie outside the file",
         good + "\nlet sh.patch.id 500; let sh.patch.total 3; shape.add\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        writeFile("bad.pts", c.text);
        const db::Database before = ws.model;
        const auto boxes = ws.run("read " + quoted("bad.pts"));
        ASSERT_FALSE(boxes.empty());
        EXPECT_EQ(boxes.back(), kRunFailed);
        expectUnchanged(before, ws.model);
        EXPECT_EQ(ws.msg.messageMode(), 1);
    }
}

TEST_F(TextFormatTest, StatusTextsAreSilentWhileAPartsScriptRuns) {
    buildSampleModel(ws, dir_, false);
    ASSERT_TRUE(ws.run("write " + quoted("m.pts")).empty());
    ws.run("read " + quoted("m.pts"));
    EXPECT_EQ(ws.sink.statuses(),
              (std::vector<std::string>{
                  "** パーツデータ ( " + path("m.pts") + " ) を読み込みます **\n",
                  "** テクスチャ画像データ ( " + path("m.MBF") + " ) を読み込みます **\n",
                  "** 読み込み終了 **\n"}));
}

TEST_F(TextFormatTest, LightFileTurnsOffTheLightsItDoesNotDefine) {
    ASSERT_TRUE(ws.run(kSmallModel).empty());
    ASSERT_TRUE(ws.run("write " + quoted("l.lig")).empty());
    Workstation other;
    ASSERT_TRUE(other.run("light 5; let l.kind POINT; set.light; light 7; set.light;").empty());
    ASSERT_TRUE(other.run("read " + quoted("l.lig")).empty());
    for (int n = 0; n < db::kLightCount; ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(other.model.lights[n].kind, n == 0 ? 1 : n == 2 ? 3 : 0);
    }
    EXPECT_EQ(other.model.lights[2].rgb, (Vec3{1, 0.5f, 0.25f}));
    EXPECT_EQ(other.model.lights[2].gain, 2.0f);
}

TEST_F(TextFormatTest, CameraFileWithoutUpVectorGetsTheDefaultOne) {
    writeFile("c.cam", "let c.pos 100 100 100\nlet c.tar 0 0 0\n");
    ASSERT_TRUE(ws.run("read " + quoted("c.cam")).empty());
    // d = (100, 100, 100): m = n = 100 sqrt 2, up = (-1/2, 1/sqrt 2, -1/2), already unit.
    const Vec3 up = ws.vector("c.upper");
    EXPECT_NEAR(up[0], -0.5, 1e-6);
    EXPECT_NEAR(up[1], std::sqrt(0.5), 1e-6);
    EXPECT_NEAR(up[2], -0.5, 1e-6);
    EXPECT_EQ(ws.model.camera.upper, up);
    // The eye on the X axis has no formula: up is then +Y, never a division by zero.
    writeFile("x.cam", "let c.pos 100 0 0\nlet c.tar 0 0 0\n");
    ASSERT_TRUE(ws.run("read " + quoted("x.cam")).empty());
    EXPECT_EQ(ws.vector("c.upper"), (Vec3{0, 1, 0}));
    // A file that sets the up vector keeps it.
    ASSERT_TRUE(ws.run(kSmallModel).empty());
    ASSERT_TRUE(ws.run("write " + quoted("s.cam")).empty());
    Workstation other;
    ASSERT_TRUE(other.run("read " + quoted("s.cam")).empty());
    EXPECT_EQ(other.vector("c.upper"), (Vec3{0, 1, 0}));
    EXPECT_EQ(other.vector("c.pos"), (Vec3{100, 200, 300}));
}

TEST_F(TextFormatTest, MappingFileCarriesItsImageInATextureCompanion) {
    buildSampleModel(ws, dir_, false);
    ASSERT_TRUE(ws.run("load.mapinfo 1; write " + quoted("m.map")).empty());
    EXPECT_EQ(readFile("m.TXF"), sampleTexture());
    ASSERT_TRUE(ws.run("let m.tex.id 0; write " + quoted("none.map")).empty());
    EXPECT_FALSE(exists("none.TXF"));

    Workstation other;
    buildSampleModel(other, dir_, false);
    ASSERT_TRUE(other.run("read " + quoted("m.map")).empty());
    EXPECT_EQ(other.model.mapdataCount, 3);
    EXPECT_EQ(other.scalar("m.tex.id"), 2.0f);
    EXPECT_EQ(other.scalar("m.uofs"), 0.5f);
    EXPECT_EQ(other.model.mapdatas[2].offset, 12u);
}

TEST_F(TextFormatTest, TextureImageFileAloneAppendsItsImages) {
    buildSampleModel(ws, dir_, false);
    ASSERT_TRUE(ws.run("write " + quoted("t.mbf")).empty());
    Workstation other;
    buildSampleModel(other, dir_, false);
    ASSERT_TRUE(other.run("read " + quoted("t.mbf")).empty());
    EXPECT_EQ(other.model.mapdataCount, 3);
    EXPECT_EQ(other.model.textureBytesUsed, 24);
    EXPECT_EQ(other.model.mapdatas[2].offset, 12u);

    Workstation empty;
    EXPECT_EQ(empty.run("write " + quoted("none.mbf")),
              (std::vector<std::string>{err(" テクスチャデータが見つからないよ！ "), kRunFailed}));
    EXPECT_FALSE(exists("none.mbf"));
}

TEST_F(TextFormatTest, TextureFilesThatDoNotHoldTheirImagesAreRefused) {
    struct Case {
        const char* what;
        std::string txf;
        std::string box;
    };
    std::string shortImage = sampleTexture();
    shortImage[8] = 4;  // size 4 for 2 x 2 pixels of 3 bytes
    const std::vector<Case> cases{
        {"head cut short", sampleTexture().substr(0, 7), "in ReadTexture (maphead)\n"},
        {"pixels cut short", sampleTexture().substr(0, 20), "in ReadTexture (TextureData)\n"},
        {"size below its pixels", shortImage.substr(0, 16), "in ReadTexture (maphead)\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        writeFile("bad.map", "let m.uofs 0.5\n");
        writeFile("bad.TXF", c.txf);
        const db::Database before = ws.model;
        EXPECT_EQ(ws.run("read " + quoted("bad.map")),
                  (std::vector<std::string>{err(" ・・・ファイル読み込みがおかしいよーん！！ "),
                                            c.box, kRunFailed}));
        EXPECT_EQ(ws.model.mapdataCount, before.mapdataCount);
        EXPECT_EQ(ws.model.textureBytesUsed, before.textureBytesUsed);
    }
}

// A name that came from a binary file may hold bytes a quoted string cannot: the script
// must still read back, with the name as close as the language allows.
TEST_F(TextFormatTest, NamesThatCannotBeQuotedStillReadBack) {
    buildSampleModel(ws, dir_, false);
    std::snprintf(ws.model.shapes[0].name.data(), 32, "a \"b\"\nc");
    std::snprintf(ws.model.blocks[1].name.data(), 64, "x\"y");
    ASSERT_TRUE(ws.run("write " + quoted("q.pts")).empty());
    Workstation fresh;
    ASSERT_TRUE(fresh.run("read " + quoted("q.pts")).empty());
    EXPECT_EQ(text(fresh.model.shapes[0].name.data(), 32), "a _b__c");
    EXPECT_EQ(text(fresh.model.blocks[1].name.data(), 64), "x_y");
    EXPECT_EQ(fresh.model.shapeCount, ws.model.shapeCount);
}

// Windows line ends in a data file read on Linux.
TEST_F(TextFormatTest, CarriageReturnsBeforeLineEndsAreIgnored) {
    std::string cam = dataFile("small.cam");
    std::string crlf;
    for (char c : cam) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    writeFile("w.CAM", crlf);
    ASSERT_TRUE(ws.run("read " + quoted("w.cam")).empty());
    EXPECT_EQ(ws.vector("c.pos"), (Vec3{100, 200, 300}));
    EXPECT_EQ(ws.scalar("c.zoom"), 60.0f);
}

}  // namespace
}  // namespace rz::test
