// ROK shape files: what a good file becomes in the model, and that every bad one is refused
// with its message and leaves the model as it was.

#include <string>
#include <vector>

#include "file_fixture.hpp"
#include "model_compare.hpp"

namespace rz::test {
namespace {

// Four points; faces of colours 1, 2, 1, 1; two palette colours, the second without red.
const std::string kHeader = "\nROKU4 1 2 3 4 5 6 7 8 9 10 11 12 13 14\nPOINT\n";
const std::string kPoints =
    "0 1 2 3 4   0 0 0\n"
    "1 0 0 0 0  10 0 0\n"
    "2 0 0 0 0   0 10 0\n"
    "3 0 0 0 0   0 0 10.5\n"
    "LINE0 0 1 1 2 2 3\n";
const std::string kFaces =
    "FACE0\n"
    "3 1 0  0 1 2\n"
    "3 2 0  0 2 3\n"
    "3 1 0  1 2 3\n"
    "3 1 0  3 2 1\n"
    "END00\n";
const std::string kPalette =
    "PALC0 ENDP0 ENDP0\n"
    "255 128 0  51 102 204  9\n"
    "0 255 255  255 0 51  9\n"
    "ENDP0\n";
const std::string kGoodFile = kHeader + kPoints + kFaces + kPalette;

class RokTest : public FileTest {
  protected:
    Workstation ws;
};

TEST_F(RokTest, ShapesPerColourRunWithTheirOwnCopiesOfThePoints) {
    writeFile("a.rok", kGoodFile);
    ASSERT_TRUE(ws.run("read " + quoted("a.rok")).empty());
    const db::Database& db = ws.model;

    // Points are copied into each shape that uses them, in order of first use.
    const std::vector<Vec3> positions{{0, 0, 0},  {10, 0, 0}, {0, 10, 0},
                                      {0, 0, 0},  {0, 10, 0}, {0, 0, 10.5f},
                                      {10, 0, 0}, {0, 10, 0}, {0, 0, 10.5f}};
    ASSERT_EQ(db.axisCount, 9);
    for (std::size_t i = 0; i < positions.size(); ++i) {
        EXPECT_EQ(db.axes[i].wv, positions[i]) << i;
        EXPECT_EQ(db.axes[i].nv, (Vec3{0, 0, 0}));
        EXPECT_EQ(db.axes[i].u, 0.0f);
        EXPECT_EQ(db.axes[i].v, 0.0f);
    }
    EXPECT_EQ(std::vector<std::int32_t>(db.patches.begin(), db.patches.begin() + db.patchCount),
              (std::vector<std::int32_t>{-3, 0, 1, 2, -3, 3, 4, 5, -3, 6, 7, 8, -3, 8, 7, 6}));

    struct Expected {
        std::uint32_t axisId, axisTotal, patchId, patchTotal;
        std::uint16_t attribute;
        Vec3 bbmin, bbmax;
    };
    const std::vector<Expected> shapes{
        {0, 3, 0, 4, 1, {0, 0, 0}, {10, 10, 0}},
        {3, 3, 4, 4, 2, {0, 0, 0}, {0, 10, 10.5f}},
        {6, 3, 8, 8, 1, {0, 0, 0}, {10, 10, 10.5f}},
    };
    ASSERT_EQ(db.shapeCount, 3);
    for (std::size_t i = 0; i < shapes.size(); ++i) {
        SCOPED_TRACE(i);
        const db::Shape& s = db.shapes[i];
        const Expected& e = shapes[i];
        EXPECT_EQ(std::tie(s.axisId, s.axisTotal, s.patchId, s.patchTotal, s.attribId),
                  std::tie(e.axisId, e.axisTotal, e.patchId, e.patchTotal, e.attribute));
        EXPECT_EQ(std::tie(s.bbmin, s.bbmax), std::tie(e.bbmin, e.bbmax));
        EXPECT_EQ(s.shapeId, 1u);
        EXPECT_EQ(s.kind, db::kShapePolygon);
        EXPECT_EQ(s.layer, 0);
        EXPECT_EQ(s.lrflag, 2);
        EXPECT_EQ(s.smoothflag, 1);
        EXPECT_EQ(s.matrixId, i + 1);  // a new identity each
        EXPECT_EQ(db.affines[s.matrixId], kIdentity);
    }
    EXPECT_EQ(db.affineCount, 4);

    ASSERT_EQ(db.attributeCount, 3);
    const db::Attribute& a = db.attributes[1];
    EXPECT_EQ(a.rgb, (Vec3{1.0f, 128 / 255.0f, 0.0f}));
    EXPECT_EQ(a.arg, (Vec3{51 / 255.0f, 102 / 255.0f, 204 / 255.0f}));
    EXPECT_FLOAT_EQ(a.drg[0], 0.2f);
    EXPECT_FLOAT_EQ(a.drg[1], 102.0f / 128.0f);
    EXPECT_EQ(a.drg[2], 0.0f);                 // no blue in the base colour
    EXPECT_EQ(db.attributes[2].drg[0], 0.0f);  // no red
    EXPECT_EQ(std::tie(a.prg, a.ambient, a.diffuse, a.specular, a.specularExponent, a.opacity),
              std::make_tuple(Vec3{0.7f, 0.7f, 0.7f}, 0.1f, 0.5f, 0.5f, 70.0f, 1.0f));
    EXPECT_EQ(std::tie(a.gainC, a.gainL, a.haze), std::make_tuple(1.0f, 0.0f, 0.0f));
    EXPECT_EQ(std::tie(a.smooth, a.map, a.face, a.shade),
              std::make_tuple(std::uint8_t{0}, std::uint8_t{0}, std::uint8_t{2}, std::uint8_t{0}));

    ASSERT_EQ(db.blockCount, 2);
    const db::Block& b = db.blocks[1];
    EXPECT_EQ(std::tie(b.xyzmin, b.xyzmax), std::make_tuple(Vec3{0, 0, 0}, Vec3{10, 10, 10.5f}));
    EXPECT_EQ(text(b.name.data(), b.name.size()), "Block(1)");
    EXPECT_EQ(b.layer, 0);

    // Each point is shown as it is read.
    std::vector<std::string> console;
    for (const auto& m : ws.sink.log)
        if (m.kind == platform::RecordedMessage::Kind::Console) console.push_back(m.text);
    ASSERT_EQ(console.size(), 4u);
    EXPECT_EQ(console[0], "(0) 0 1 2 3 0.000000 0.000000 0.000000");
    EXPECT_EQ(console[3], "(3) 3 0 0 0 0.000000 0.000000 10.500000");
}

TEST_F(RokTest, ASecondFileGoesBehindTheFirst) {
    writeFile("a.rok", kGoodFile);
    std::string binary(129, '\0');  // the zero byte, then a 128-byte header of its own
    writeFile("b.rok", binary + kGoodFile.substr(1));
    ASSERT_TRUE(ws.run("read " + quoted("a.rok") + "; read " + quoted("b.rok")).empty());
    const db::Database& db = ws.model;
    EXPECT_EQ(db.axisCount, 18);
    EXPECT_EQ(db.blockCount, 3);
    EXPECT_EQ(db.attributeCount, 5);
    const db::Shape& s = db.shapes[3];
    EXPECT_EQ(std::tie(s.shapeId, s.axisId, s.patchId, s.attribId, s.matrixId),
              std::make_tuple(2u, 9u, 16u, std::uint16_t{3}, std::uint16_t{4}));
    // Patch entries are axis numbers of the whole store.
    EXPECT_EQ(db.patches[16 + 1], 9);
    EXPECT_EQ(text(db.blocks[2].name.data(), db.blocks[2].name.size()), "Block(2)");
}

TEST_F(RokTest, BadFilesAreRefusedAndChangeNothing) {
    const std::string eof = err(" ＥＯＦが検出されました！ ");
    const std::string notRok = err("六角大王の形状データファイル形式ではありません！");
    const std::string badPoints = err("六角大王の座標点ブロックが変です！");
    const std::string endMark = err("ブロック終端マークが不正に入っていました！");
    const std::string value = err(" 設定された「値」が正しくありません！ ");
    const auto replaced = [](std::string file, const std::string& from, const std::string& to) {
        return file.replace(file.find(from), from.size(), to);
    };
    struct Case {
        const char* what;
        std::string file;
        std::string message;
        const char* where;
    };
    const std::vector<Case> cases{
        {"an empty file", "", eof, "START(2)"},
        {"the magic word in the first byte", kGoodFile.substr(1), notRok, "START(3)"},
        {"another magic word", replaced(kGoodFile, "ROKU4", "ROKU3"), notRok, "START(3)"},
        {"a header cut short", "\nROKU4 1 2 3", eof, "START(4)"},
        {"no point list", replaced(kGoodFile, "POINT", "PIONT"), badPoints, "START(5)"},
        {"the file ends in the point list", kHeader + "0 0 0 0 0 1 2 3\n", eof, "POINT(1)"},
        {"a point cut short by LINE0", replaced(kGoodFile, "3 0 0 0 0", "3 0 LINE0"), endMark,
         "POINT(2)"},
        {"a coordinate that is no number", replaced(kGoodFile, "10.5", "1O.5"), value, "POINT(3)"},
        {"no face list", kHeader + kPoints + "END00\n", eof, "FACE0(1)"},
        {"a colour 0", replaced(kGoodFile, "3 2 0", "3 0 0"), value, "FACE0(3)"},
        {"a face without vertices", replaced(kGoodFile, "3 2 0  0 2 3", "0 2 0"), value,
         "FACE0(3)"},
        {"a point number beyond the points", replaced(kGoodFile, "3 2 1", "3 2 4"), value,
         "FACE0(4)"},
        {"a negative point number", replaced(kGoodFile, "3 2 1", "3 2 -1"), value, "FACE0(4)"},
        {"a face cut short by END00", replaced(kGoodFile, "3 2 1\n", "3\n"), endMark, "FACE0(4)"},
        {"no palette", replaced(kGoodFile, "PALC0", "PALC1"), notRok, "PALET(1)"},
        {"a palette cut short by ENDP0", replaced(kGoodFile, "51  9", "51 ENDP0"), endMark,
         "PALET(3)"},
        {"a colour beyond 255", replaced(kGoodFile, "255 128", "256 128"), value, "PALET(3)"},
        {"the file ends in the palette", replaced(kGoodFile, "51  9\nENDP0\n", "51  9\n"), eof,
         "PALET(2)"},
        {"a face colour without a palette entry", replaced(kGoodFile, "3 2 0", "3 3 0"), value,
         "PALET(5)"},
    };
    ASSERT_TRUE(ws.run("let box.s 0 0 0; let box.e 10 10 10; boxgen2 box.s, box.e;").empty());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        writeFile("bad.rok", c.file);
        const db::Database before = ws.model;
        EXPECT_EQ(
            ws.run("read " + quoted("bad.rok")),
            (std::vector<std::string>{
                c.message, std::string(" ... in ReadROKFile() / ") + c.where + "\n", kRunFailed}));
        expectUnchanged(before, ws.model);
    }
}

TEST_F(RokTest, FullStoresRefuseTheFile) {
    struct Case {
        const char* what;
        db::Settings settings;
        std::string message;
        const char* where;
    };
    const auto with = [](auto field, std::int32_t value) {
        db::Settings s;
        s.capacity.*field = value;
        return s;
    };
    const std::vector<Case> cases{
        {"raw points", with(&db::Capacities::axismax, 1004),
         err(" Axis データ記憶エリアが一杯です！！ "), "POINT(4)"},
        {"shape copies", with(&db::Capacities::axismax, 1010),
         err(" Axis データ記憶エリアが一杯です！！ "), "FACE0(5)"},
        {"patch entries", with(&db::Capacities::patchmax, 10),
         err(" Patch データ記憶エリアが一杯です！！ "), "FACE0(5)"},
        {"shapes", with(&db::Capacities::shapemax, 3),
         err(" Shape データ記憶エリアが一杯です！！ "), "FACE0(5)"},
        {"matrices", with(&db::Capacities::affinemax, 3),
         err(" Affine データ記憶エリアが一杯です！！ "), "FACE0(5)"},
        {"attributes", with(&db::Capacities::attrimax, 2),
         err("ＥＲＲＯＲ！　質感設定は 2 個までしか出来ません。 \n"), "PALET(4)"},
        {"blocks", with(&db::Capacities::blockmax, 1),
         err("ＥＲＲＯＲ！　パーツブロックは 1 個までしか登録出来ません。 \n"), "START(1)"},
    };
    writeFile("a.rok", kGoodFile);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Workstation tight(c.settings);
        const db::Database before = tight.model;
        EXPECT_EQ(
            tight.run("read " + quoted("a.rok")),
            (std::vector<std::string>{
                c.message, std::string(" ... in ReadROKFile() / ") + c.where + "\n", kRunFailed}));
        expectUnchanged(before, tight.model);
    }
}

}  // namespace
}  // namespace rz::test
