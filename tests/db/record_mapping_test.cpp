// The mapping commands as the mapping dialog and data files use them: mapinfo records,
// the maplist chains that put them on shapes, the trial mapping and the mapping box.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "record_test_support.hpp"

namespace rz::test {
namespace {

using Texts = std::vector<std::string>;
using Numbers = std::vector<int>;
namespace smsg = script::msg;

constexpr const char* kLinked = "■■　マッピングパラメータの形状へのリンク，ＯＫ！　■■ \n";
constexpr const char* kAlready = "このマッピングパラメータは既にリンクされています。 \n";
constexpr const char* kUnlinked = "■■　マッピングパラメータの形状リンク解除，ＯＫ！　■■ \n";
constexpr const char* kSelected = "■■　マッピングパラメータの選択，ＯＫ！　■■ \n";
constexpr const char* kMaplistFull = " Maplist データ登録がオーバーフローしました！ ( 8 ) \n";
constexpr const char* kMapinfoFull = " Mapinfo データ登録がオーバーフローしました！ ( 6 ) \n";

class MappingTest : public RecordTest {
  protected:
    // The mapinfos along a shape's chain, as the renderer walks it.
    Numbers chain(int shape) {
        Numbers out;
        for (int r = model.shapes[shape].textureId; r != 0 && out.size() < 20;
             r = model.maplists[r].next)
            out.push_back(model.maplists[r].mapinfo);
        return out;
    }
    // The maplist records of a shape's chain.
    Numbers records(int shape) {
        Numbers out;
        for (int r = model.shapes[shape].textureId; r != 0 && out.size() < 20;
             r = model.maplists[r].next)
            out.push_back(r);
        return out;
    }
    // Mapinfos 1 … n − 1 made as the mapping dialog makes them, m.ulen = number.
    void makeMapinfos(int n) {
        for (int m = model.mapinfoCount; m < n; ++m) {
            runFresh("new.mapinfo; let m.ulen " + std::to_string(m) + "; set.mapinfo;");
            ASSERT_EQ(errors(), Texts{});
            // The dialog links the new mapinfo before it makes another.
            model.records.mapinfoPending = false;
        }
    }
};

TEST_F(MappingTest, NewMapinfoWaitsUntilTheLastOneIsLinkedOrStored) {
    runFresh("new.mapinfo;");
    EXPECT_EQ(statuses(), Texts{"■■　マッピングパラメータ新規設定，ＯＫ！　■■ \n"});
    EXPECT_EQ(model.mapinfoCount, 2);
    EXPECT_EQ(scalar("mi.point"), 1.0f);
    runFresh("new.mapinfo;");
    EXPECT_EQ(statuses(), Texts{"現在の設定の登録を済ませて下さい。（新規登録不可！） \n"});
    EXPECT_EQ(model.mapinfoCount, 2);
    runFresh("cancel.new.mapinfo; new.mapinfo;");
    EXPECT_EQ(model.mapinfoCount, 2);
    runFresh("link.mapinfo 1; new.mapinfo;");
    EXPECT_EQ(model.mapinfoCount, 3);
}

TEST_F(MappingTest, AFullStoreRefusesNewMapinfos) {
    makeMapinfos(6);
    runFresh("new.mapinfo;");
    EXPECT_EQ(systemBoxes(), Texts{kMapinfoFull});
    EXPECT_EQ(model.mapinfoCount, 6);
}

TEST_F(MappingTest, NumStopsBelowTheCount) {
    makeMapinfos(3);
    const struct {
        const char* statement;
        int selected;
        Texts status;
    } cases[] = {
        {"num.mapinfo 2;", 2, {kSelected}},
        {"num.mapinfo 3;", 3, {kSelected}},
        {"num.mapinfo 4;",
         2,
         {"WARNING!!: mapinfo番号が最大設定数オーバーです。（修正済）\n", kSelected}},
        {"num.mapinfo DEC; num.mapinfo DEC; num.mapinfo DEC;",
         0,
         {kSelected, kSelected, "WARNING!!: mapinfo番号が負値になっています。（修正済）\n",
          kSelected}},
    };
    for (const auto& c : cases) {
        runFresh(c.statement);
        EXPECT_EQ(scalar("mi.point"), c.selected) << c.statement;
        EXPECT_EQ(statuses(), c.status) << c.statement;
    }
    runFresh("num.mapinfo 2;");
    EXPECT_EQ(scalar("m.ulen"), 2.0f);
}

TEST_F(MappingTest, LinkAppendsTheMapinfoToEverySelectedChain) {
    makeMapinfos(4);
    addShape(0, 1);
    addShape(0, 0);
    addShape(0, 1);
    runFresh("link.mapinfo 2;");
    EXPECT_EQ(statuses(), Texts{kLinked});
    runFresh("var m; m = 3; link.mapinfo m;");
    EXPECT_EQ(statuses(), Texts{kLinked});
    EXPECT_EQ(chain(0), (Numbers{2, 3}));
    EXPECT_EQ(chain(1), Numbers{});
    EXPECT_EQ(chain(2), (Numbers{2, 3}));
    EXPECT_EQ(model.maplistCount, 5);

    runFresh("link.mapinfo 2;");
    EXPECT_EQ(statuses(), Texts{kAlready});
    EXPECT_EQ(model.maplistCount, 5);
}

TEST_F(MappingTest, LinkStopsAtTheFirstShapeThatHasTheMapinfo) {
    makeMapinfos(3);
    addShape(0, 1);
    addShape(0, 1);
    addShape(0, 1);
    selectOnly({1});
    runFresh("link.mapinfo 2;");
    selectOnly({0, 1, 2});
    runFresh("link.mapinfo 2;");
    EXPECT_EQ(statuses(), Texts{kAlready});
    EXPECT_EQ(chain(0), Numbers{2});
    EXPECT_EQ(chain(1), Numbers{2});
    EXPECT_EQ(chain(2), Numbers{});
}

TEST_F(MappingTest, AFullMaplistStoreLinksNothing) {
    makeMapinfos(3);
    for (int i = 0; i < 4; ++i) addShape(0, 1);
    runFresh("link.mapinfo 1;");  // records 1 … 4
    ASSERT_EQ(model.maplistCount, 5);
    runFresh("link.mapinfo 2;");  // needs 4, 3 are free
    EXPECT_EQ(systemBoxes(), Texts{kMaplistFull});
    EXPECT_EQ(model.maplistCount, 5);
    for (int s = 0; s < 4; ++s) EXPECT_EQ(chain(s), Numbers{1}) << s;

    selectOnly({0, 1, 2});
    runFresh("link.mapinfo 2;");
    ASSERT_EQ(model.maplistCount, 8);
    runFresh("link.mapinfo 3;");
    EXPECT_EQ(systemBoxes(), Texts{kMaplistFull});
    EXPECT_EQ(chain(0), (Numbers{1, 2}));
}

TEST_F(MappingTest, ACopiedShapeFindsWhatWasLinkedToItsSharedChain) {
    makeMapinfos(4);
    addShape(0, 1);
    addShape(0, 1);
    selectOnly({0});
    runFresh("link.mapinfo 1;");
    ASSERT_EQ(model.maplistCount, 2);
    // A copy takes over its source's mapping head, and with it the whole chain.
    model.shapes[1].textureId = model.shapes[0].textureId;
    selectOnly({0, 1});
    runFresh("link.mapinfo 2;");
    EXPECT_EQ(statuses(), Texts{kAlready});
    EXPECT_EQ(model.maplistCount, 3);
    EXPECT_EQ(records(0), (Numbers{1, 2}));
    EXPECT_EQ(records(1), (Numbers{1, 2}));

    // The shared chain needs one record, so one free record is room enough.
    model.maplistCount = 7;
    runFresh("link.mapinfo 3;");
    EXPECT_EQ(systemBoxes(), Texts{});
    EXPECT_EQ(statuses(), Texts{kAlready});
    EXPECT_EQ(model.maplistCount, 8);
    EXPECT_EQ(chain(1), (Numbers{1, 2, 3}));
}

TEST_F(MappingTest, ChainHeadsBeyondTheCountStartAgain) {
    makeMapinfos(2);
    const int shape = addShape(0, 1);
    model.shapes[shape].textureId = 7;  // left by records that are gone
    runFresh("link.mapinfo 1;");
    EXPECT_EQ(records(shape), Numbers{1});
    EXPECT_EQ(chain(shape), Numbers{1});
}

TEST_F(MappingTest, UnlinkCutsTheChainsAndTakesTheCountsBack) {
    makeMapinfos(4);
    addShape(0, 1);
    addShape(0, 1);
    runFresh("link.mapinfo 1; link.mapinfo 2; new.mapinfo;");
    ASSERT_EQ(model.mapinfoCount, 5);
    runFresh("link.mapinfo 3;");
    ASSERT_EQ(model.maplistCount, 7);
    runFresh("let mi.point 3; unlink.mapinfo;");
    EXPECT_EQ(statuses(), Texts{kUnlinked});
    EXPECT_EQ(chain(0), (Numbers{1, 2}));
    EXPECT_EQ(chain(1), (Numbers{1, 2}));
    EXPECT_EQ(model.maplistCount, 5);
    EXPECT_EQ(model.mapinfoCount, 5);

    // Only one step back: a second unlink cuts chains but takes no records away.
    runFresh("let mi.point 1; unlink.mapinfo;");
    EXPECT_EQ(chain(0), Numbers{});
    EXPECT_EQ(model.maplistCount, 5);
    EXPECT_EQ(model.mapinfoCount, 5);
}

TEST_F(MappingTest, UnlinkWithoutALinkKeepsTheRecords) {
    makeMapinfos(3);
    model.maplistCount = 4;
    runFresh("unlink.mapinfo;");
    EXPECT_EQ(model.maplistCount, 4);
    EXPECT_EQ(model.mapinfoCount, 3);
}

TEST_F(MappingTest, TrialMappingIsAddedAndTakenAwayAgain) {
    makeMapinfos(3);
    addShape(0, 1);
    addShape(0, 0);
    addShape(0, 1);
    runFresh("link.mapinfo 1;");
    ASSERT_EQ(model.maplistCount, 3);
    runFresh("num.mapinfo 2; let m.ulen 9; test.mapinfo;");
    EXPECT_EQ(errors(), Texts{});
    EXPECT_EQ(model.mapinfos[5].ulen, 9.0f);
    EXPECT_EQ(model.mapinfos[2].ulen, 2.0f);
    EXPECT_EQ(model.currentMapinfo, 2);
    EXPECT_EQ(chain(0), (Numbers{1, 5}));
    EXPECT_EQ(chain(1), Numbers{});
    EXPECT_EQ(chain(2), (Numbers{1, 5}));
    EXPECT_EQ(records(0), (Numbers{1, 5}));
    EXPECT_EQ(records(2), (Numbers{2, 6}));
    EXPECT_EQ(model.maplistCount, 3);

    runFresh("let m.ulen 0; untest.mapinfo;");
    EXPECT_EQ(scalar("m.ulen"), 9.0f);
    EXPECT_EQ(model.currentMapinfo, 2);
    EXPECT_EQ(chain(0), Numbers{1});
    EXPECT_EQ(chain(2), Numbers{1});
}

TEST_F(MappingTest, TrialMappingNeedsRoomInBothStores) {
    makeMapinfos(4);
    addShape(0, 1);
    runFresh("test.mapinfo;");
    EXPECT_EQ(systemBoxes(), Texts{kMapinfoFull});
    EXPECT_EQ(chain(0), Numbers{});

    model.mapinfoCount = 3;
    model.maplistCount = 5;
    addShape(0, 1);
    runFresh("test.mapinfo;");
    EXPECT_EQ(systemBoxes(), Texts{kMaplistFull});
    EXPECT_EQ(chain(0), Numbers{5});
    EXPECT_EQ(chain(1), Numbers{});
}

TEST_F(MappingTest, DelMaplistRemovesEmptyRecordsAndKeepsChainsWhole) {
    const int a = addShape(0, 0);
    const int b = addShape(0, 0);
    const int c = addShape(0, 0);
    model.maplists[1] = {2, 3};
    model.maplists[2] = {0, 0};
    model.maplists[3] = {4, 0};
    model.maplists[4] = {0, 0};
    model.maplists[5] = {5, 0};
    model.maplistCount = 6;
    model.shapes[a].textureId = 1;
    model.shapes[b].textureId = 5;
    model.shapes[c].textureId = 4;
    runFresh("del.maplist;");
    EXPECT_EQ(statuses(), Texts{"■■　無効マッピングリンクリストの削除，ＯＫ！　■■ \n"});
    EXPECT_EQ(model.maplistCount, 4);
    EXPECT_EQ(chain(a), (Numbers{2, 4}));
    EXPECT_EQ(chain(b), Numbers{5});
    EXPECT_EQ(chain(c), Numbers{});
    EXPECT_EQ(records(a), (Numbers{1, 2}));
}

TEST_F(MappingTest, InitTakesEveryMappingAway) {
    makeMapinfos(3);
    addShape(0, 1);
    runFresh("link.mapinfo 2; new.mapinfo; let m.xlen 5; init.mapinfo;");
    EXPECT_EQ(statuses().back(), "■■　マッピングデータベースの全初期化終了！　■■ \n");
    EXPECT_EQ(model.mapinfoCount, 1);
    EXPECT_EQ(model.maplistCount, 2);
    EXPECT_EQ(chain(0), Numbers{});
    EXPECT_EQ(model.maplists[1].mapinfo, 0);
    EXPECT_EQ(scalar("m.xlen"), 100.0f);
    EXPECT_EQ(model.currentMapinfo, 1);
    runFresh("new.mapinfo;");
    EXPECT_EQ(model.mapinfoCount, 2);
}

TEST_F(MappingTest, LoadSaveAndCapa) {
    makeMapinfos(3);
    model.loadBase.mapinfo = 2;
    runFresh("load.mapinfo 1;");
    EXPECT_EQ(scalar("mi.point"), 3.0f);
    EXPECT_EQ(model.mapinfoCount, 4);
    runFresh("load.mapinfo 4;");
    EXPECT_EQ(errors(), (Texts{errorText(smsg::kValueNotCorrect), kRunFailed}));
    EXPECT_EQ(scalar("mi.point"), 1.0f);

    model.loadBase.maplist = 3;
    runFresh("load.maplist 2; let m.mapinfo 2; set.maplist;");
    EXPECT_EQ(statuses(), (Texts{"■■　マッピングリンクリストの選択，ＯＫ！　■■ \n",
                                 "■■　マッピングリンクリスト設定，ＯＫ！　■■ \n"}));
    EXPECT_EQ(model.currentMaplist, 5);
    EXPECT_EQ(model.maplists[5].mapinfo, 2);
    EXPECT_EQ(model.maplistCount, 6);
    runFresh("var v; v = 8; save.maplist v;");
    EXPECT_EQ(errors(), (Texts{errorText(smsg::kValueNotCorrect), kRunFailed}));
    runFresh("v = 7; let m.mapinfo 3; save.maplist v;");
    EXPECT_EQ(model.maplists[7].mapinfo, 3);
    EXPECT_EQ(model.currentMaplist, 5);

    runFresh("capa.mapinfo;");
    EXPECT_EQ(systemBoxes(), Texts{"■■　Mapinfo(list)残り登録数: 2 ( 33 % ) 2 ( 25 % )　■■\n"});
    runFresh("var n; set.micount n;");
    EXPECT_EQ(scalar("n"), 4.0f);
}

TEST_F(MappingTest, LinkRefusesMapinfosOutsideTheStore) {
    addShape(0, 1);
    for (const char* s : {"link.mapinfo 6;", "link.mapinfo -1;", "link.mapinfo \"a\";"}) {
        runFresh(s);
        EXPECT_EQ(errors().size(), 2u) << s;
        EXPECT_EQ(chain(0), Numbers{}) << s;
    }
}

class DecalboxTest : public MappingTest {
  protected:
    void SetUp() override {
        // An explicit grid of two vertices, not selected.
        runFresh("let axis.wv 0 0 0; axis.add; let axis.wv 10 2 4; axis.add;");
        runFresh("let sh.axis.id 0; let sh.axis.total 2;");
        addShape(1, 0);
        // A parametric box around (100, 0, 0) of size (2, 4, 6), selected.
        runFresh("let axis.wv 100 0 0; let axis.nv 2 4 6; axis.add;");
        runFresh(
            "let sh.axis.id 2; let sh.axis.total 1; let sh.kind 62; let shape.id 1;"
            "let sh.layer 1; shape.add;");
        ASSERT_EQ(errors(), Texts{});
    }
    Vec3 centre() { return {scalar("m.xcent"), scalar("m.ycent"), scalar("m.zcent")}; }
    Vec3 size() { return {scalar("m.xlen"), scalar("m.ylen"), scalar("m.zlen")}; }
};

TEST_F(DecalboxTest, BoxOfAllShapesOrOfTheSelected) {
    const std::int32_t shapes = model.shapeCount;
    const std::int32_t axes = model.axisCount;
    runFresh("decalbox;");
    EXPECT_EQ(errors(), Texts{});
    EXPECT_EQ(centre(), (Vec3{50.5f, 0.0f, 0.5f}));
    EXPECT_EQ(size(), (Vec3{101.0f, 4.0f, 7.0f}));
    // The expansion of the box was taken back.
    EXPECT_EQ(model.shapeCount, shapes);
    EXPECT_EQ(model.axisCount, axes);

    runFresh("decalbox 1;");
    EXPECT_EQ(centre(), (Vec3{100.0f, 0.0f, 0.0f}));
    EXPECT_EQ(size(), (Vec3{2.0f, 4.0f, 6.0f}));
}

TEST_F(DecalboxTest, OnlyZeroOrOneAreModes) {
    runFresh("decalbox 2;");
    EXPECT_EQ(errors(), (Texts{errorText(smsg::kValueNotCorrect), kRunFailed}));
    runFresh("decalbox m.xlen;");
    EXPECT_EQ(errors(), (Texts{errorText(smsg::kBadParam), kRunFailed}));
    runFresh("decalbox 1 1;");
    EXPECT_EQ(errors(), (Texts{errorText(smsg::kTooManyParams), kRunFailed}));
    EXPECT_EQ(size(), (Vec3{100.0f, 100.0f, 100.0f}));
}

}  // namespace
}  // namespace rz::test
