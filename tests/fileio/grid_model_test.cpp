// Grid model files (mdlread, mdladd, read of .mdl and .mdf) and the geometry section that
// mdlwrite saves.

#include "file_fixture.hpp"
#include "model_compare.hpp"

namespace rz::test {
namespace {

// One 2 x 2 grid and one row of two triangles (v = 0: 3u points).
const char* const kTwoShapes =
    "model 2\n"
    "grid 2 2\n"
    "0 0 0  10 0 0\n"
    "0 10 0  10 10 5\n"
    "tris 2 0\n"
    "1 1 1 2 2 2 3 3 3 4 4 4 5 5 5 -6 6 -6\n";

class GridModelTest : public FileTest {
  protected:
    Workstation ws;
};

TEST_F(GridModelTest, GridBecomesAxesFaceRunsAndAShape) {
    writeFile("two.mdl", kTwoShapes);
    ASSERT_TRUE(ws.run("mdladd " + quoted("two.mdl")).empty());
    const db::Database& m = ws.model;
    ASSERT_EQ(m.axisCount, 4 + 6);
    ASSERT_EQ(m.shapeCount, 2);
    EXPECT_EQ(std::vector<std::int32_t>(m.patches.begin(), m.patches.begin() + m.patchCount),
              (std::vector<std::int32_t>{-4, 0, 1, 3, 2}));
    const db::Shape& grid = m.shapes[0];
    EXPECT_EQ(grid.kind, db::kShapePolygon);
    EXPECT_EQ(grid.axisTotal, 4u);
    EXPECT_EQ(grid.patchTotal, 5u);
    EXPECT_EQ(grid.bbmin, (Vec3{0, 0, 0}));
    EXPECT_EQ(grid.bbmax, (Vec3{10, 10, 5}));
    EXPECT_EQ(m.axes[3].wv, (Vec3{10, 10, 5}));
    const db::Shape& tris = m.shapes[1];
    EXPECT_EQ(tris.axisId, 4u);
    EXPECT_EQ(tris.axisTotal, 6u);
    EXPECT_EQ(tris.patchTotal, 0u);
    EXPECT_EQ(tris.bbmin, (Vec3{-6, 1, -6}));
    EXPECT_EQ(tris.bbmax, (Vec3{5, 6, 5}));
    EXPECT_EQ(ws.sink.log[1].text, "model read(0) u=2, v=2 | ");
}

TEST_F(GridModelTest, AddingTwiceGivesTwoCopiesAndReadingEmptiesFirst) {
    writeFile("two.mdl", kTwoShapes);
    ASSERT_TRUE(ws.run("m.ad " + quoted("two.mdl") + "; m.ad " + quoted("two.mdl")).empty());
    EXPECT_EQ(ws.model.shapeCount, 4);
    EXPECT_EQ(ws.model.shapes[2].axisId, 10u);
    EXPECT_EQ(ws.model.patches[6], 10);  // the second grid's face run names its own axes
    ASSERT_TRUE(ws.run("m.rd " + quoted("two.mdl")).empty());
    EXPECT_EQ(ws.model.shapeCount, 2);
    EXPECT_EQ(ws.model.axisCount, 10);
    EXPECT_EQ(ws.sink.statuses().back(), "\n** 読み込み終了 **\n");
}

TEST_F(GridModelTest, ReadingEmptiesTheModelAndResetsMaterialAndMapping) {
    writeFile("two.mdl", kTwoShapes);
    ASSERT_TRUE(ws.run("let diffuse 0.1; let a.rgb 1 1 1; let m.xlen 5; let atr.point 3; "
                       "set.atr; m.rd " +
                       quoted("two.mdl"))
                    .empty());
    EXPECT_FLOAT_EQ(ws.scalar("diffuse"), 0.6f);
    EXPECT_EQ(ws.vector("a.rgb"), (Vec3{0.2f, 0.9f, 0.1f}));
    EXPECT_FLOAT_EQ(ws.scalar("m.xlen"), 2000.0f);
    EXPECT_FLOAT_EQ(ws.scalar("atr.point"), 0.0f);
    // The reset values were put into attribute 0 and mapinfo 0.
    EXPECT_FLOAT_EQ(ws.model.attributes[0].diffuse, 0.6f);
    EXPECT_FLOAT_EQ(ws.model.mapinfos[0].xlen, 2000.0f);
    EXPECT_EQ(ws.model.attributeCount, 1);
}

TEST_F(GridModelTest, FullFormCarriesNormalsAndTextureAndTurnsSmoothingOn) {
    writeFile("one.MDF", "m 1\ns 1 1\n1 2 3  0 0 1  0.25 0.75\n");
    ASSERT_TRUE(ws.run("read " + quoted("one.mdf")).empty());
    const db::Axis& a = ws.model.axes[0];
    EXPECT_EQ(a.wv, (Vec3{1, 2, 3}));
    EXPECT_EQ(a.nv, (Vec3{0, 0, 1}));
    EXPECT_EQ(a.u, 0.25f);
    EXPECT_EQ(a.v, 0.75f);
    EXPECT_EQ(ws.scalar("smooth.sw"), 1.0f);
    writeFile("one.mdl", "m 1\ns 1 1\n1 2 3\n");
    ASSERT_TRUE(ws.run("mdladd " + quoted("one.mdl")).empty());
    EXPECT_EQ(ws.scalar("smooth.sw"), 0.0f);
}

TEST_F(GridModelTest, BadFilesAreRefusedWholeWithTheirMessage) {
    db::Settings small;
    small.capacity.axismax = 1010;  // 10 axes usable
    small.capacity.shapemax = 3;
    Workstation tight(small);
    writeFile("seed.mdl", "m 1\ns 1 1\n0 0 0\n");
    ASSERT_TRUE(tight.run("mdladd " + quoted("seed.mdl")).empty());
    struct Case {
        const char* what;
        std::string file;
        std::vector<std::string> boxes;
    };
    const std::string eof = err(" ＥＯＦが検出されました！ ");
    const std::string value = err(" 設定された「値」が正しくありません！ ");
    const std::vector<Case> cases{
        {"a number missing at the end", "m 1\ns 2 1\n1 2 3 4 5\n", {eof, " ... in mdl_rd()\n"}},
        {"a word where a number belongs", "m 1\ns 1 1\n1 two 3\n", {value, " ... in mdl_rd()\n"}},
        {"a count beyond 16 bits", "m 1\ns 70000 1\n", {value, " ... in mdl_rd()\n"}},
        {"a negative row count", "m 1\ns 2 -1\n", {value, " ... in mdl_rd()\n"}},
        {"more axes than there is room for",
         "m 1\ns 5 2\n",
         {err(" Axis データ記憶エリアが一杯です！！ ")}},
        {"more shapes than there is room for",
         "m 3\ns 1 1\n0 0 0\ns 1 1\n0 0 0\ns 1 1\n0 0 0\n",
         {err(" Shape データ記憶エリアが一杯です！！ ")}},
        {"a missing file", "", {err(" ファイルが見つかりませ～ん！ ")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string name = c.file.empty() ? "missing.mdl" : "bad.mdl";
        if (!c.file.empty()) writeFile(name, c.file);
        const db::Database before = tight.model;
        for (const char* command : {"mdladd ", "mdlread "}) {
            std::vector<std::string> boxes = tight.run(command + quoted(name));
            ASSERT_FALSE(boxes.empty());
            EXPECT_EQ(boxes.back(), kRunFailed);
            boxes.resize(c.boxes.size());
            EXPECT_EQ(boxes, c.boxes);
            expectUnchanged(before, tight.model);
        }
    }
}

TEST_F(GridModelTest, OtherExtensionsReadNothingAndWritingWantsSh) {
    writeFile("two.txt", kTwoShapes);
    ASSERT_TRUE(ws.run("mdladd " + quoted("two.txt")).empty());
    EXPECT_EQ(ws.model.shapeCount, 0);
    EXPECT_EQ(ws.sink.statuses(), (std::vector<std::string>{"\n** 追加終了 **\n"}));
    EXPECT_EQ(
        ws.run("mdlwrite " + quoted("out.pts")),
        (std::vector<std::string>{err(" このファイル形式はサポートしてないよ！ "), kRunFailed}));
    EXPECT_EQ(ws.run("mdlwrite 5"),
              (std::vector<std::string>{err(" パラメータが不正です！ "),
                                        " ... in func ( mdlwrite )\n", kRunFailed}));
    EXPECT_EQ(ws.run("mdlread \"a.mdl\", 2"),
              (std::vector<std::string>{err(" パラメータが多すぎます！ "), kRunFailed}));
    EXPECT_TRUE(ws.run("mdlread \"\"").empty());
}

// What write saves under a grid model name is read back under it.
TEST_F(GridModelTest, GeometryWrittenAsMdlOrMdfReadsBack) {
    writeFile("two.mdl", kTwoShapes);
    ASSERT_TRUE(ws.run("mdladd " + quoted("two.mdl")).empty());
    ASSERT_TRUE(ws.run("write " + quoted("saved.mdf")).empty());
    Workstation full;
    ASSERT_TRUE(full.run("read " + quoted("saved.mdf")).empty());
    expectSameModel(ws.model, full.model, false);
    // The plain form names its shapes by number and keeps no references.
    ASSERT_TRUE(ws.run("write " + quoted("saved.mdl")).empty());
    Workstation plain;
    ASSERT_TRUE(plain.run("read " + quoted("saved.mdl")).empty());
    db::Database expected = ws.model;
    std::snprintf(expected.shapes[0].name.data(), 32, "noname.0");
    std::snprintf(expected.shapes[1].name.data(), 32, "noname.1");
    expectSameModel(expected, plain.model, false);
}

}  // namespace
}  // namespace rz::test
