// The joint commands: rigids between blocks, the rlink chains that list them, and the
// checks that keep the joints a forest.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "record_test_support.hpp"

namespace rz::test {
namespace {

using Texts = std::vector<std::string>;
using Numbers = std::vector<int>;
namespace smsg = script::msg;

constexpr const char* kNew = "■■　関節点設定パラメータ新規設定，ＯＫ！　■■ \n";
constexpr const char* kConnected = "このパーツ間には既に関節点が存在しています。";
constexpr const char* kCycle = "運動モデル間のパーツ接続が循環状態になります。";
constexpr const char* kNoBlock = "パーツブロックが存在していません！";

class RigidTest : public RecordTest {
  protected:
    // Blocks 1 … 3; block b's box is (b, b, b) to (b + 1, b + 1, b + 1).
    void SetUp() override { makeBlocks(3); }

    void join(int a, int b) {
        runFresh("let rigid.block1.id " + std::to_string(a) + "; let rigid.block2.id " +
                 std::to_string(b) + "; new.rigid;");
    }
    // The rigids a block's chain lists.
    Numbers chain(int block) {
        Numbers out;
        for (int l = model.blocks[block].rlinkId; l >= 0 && out.size() < 20;
             l = model.rlinks[l].next)
            out.push_back(model.rlinks[l].rigid);
        return out;
    }
};

TEST_F(RigidTest, NewRigidJoinsTwoBlocksAtTheMiddleOfTheirBoxes) {
    join(1, 2);
    EXPECT_EQ(errors(), Texts{});
    EXPECT_EQ(statuses(), Texts{kNew});
    EXPECT_EQ(model.rigidCount, 1);
    EXPECT_EQ(model.rlinkCount, 2);
    EXPECT_EQ(scalar("rigid.point"), 0.0f);
    const db::Rigid& r = model.rigids[0];
    EXPECT_EQ(r.pos, (Vec3{2, 2, 2}));
    EXPECT_EQ(r.old, (Vec3{2, 2, 2}));
    EXPECT_EQ(r.block1, 1);
    EXPECT_EQ(r.block2, 2);
    EXPECT_STREQ(r.name.data(), "Rigid(1)");
    EXPECT_EQ(text("rigid.name"), "Rigid(1)");
    EXPECT_EQ(chain(1), Numbers{0});
    EXPECT_EQ(chain(2), Numbers{0});

    // Apart boxes meet in the middle of the gap: x ranges 2 … 3 and 10 … 12 give 6.5.
    model.blocks[3].xyzmin = {10, 0, 3};
    model.blocks[3].xyzmax = {12, 1, 3.5f};
    join(3, 2);
    EXPECT_EQ(errors(), Texts{});
    EXPECT_EQ(model.rigids[1].pos, (Vec3{6.5f, 1.5f, 3.0f}));
    EXPECT_STREQ(model.rigids[1].name.data(), "Rigid(2)");
    EXPECT_EQ(chain(2), (Numbers{0, 1}));
    EXPECT_EQ(chain(3), Numbers{1});
}

struct RefusedCase {
    int a;
    int b;
    const char* message;
};

// Rigids join 1 – 2 and 2 – 3.
const RefusedCase kRefused[] = {
    {1, 3, kConnected},  // through block 2
    {3, 1, kConnected}, {1, 2, kConnected}, {2, 2, kCycle},
    {9, 1, kNoBlock},   {1, 4, kNoBlock},   {-1, 2, kNoBlock},
};

TEST_F(RigidTest, JointsThatWouldCloseALoopAreRefused) {
    join(1, 2);
    join(2, 3);
    ASSERT_EQ(model.rigidCount, 2);
    run("let rigid.point 1;");
    for (const RefusedCase& c : kRefused) {
        join(c.a, c.b);
        EXPECT_EQ(errors(), (Texts{errorText(c.message), kRunFailed})) << c.a << "-" << c.b;
        EXPECT_EQ(model.rigidCount, 2);
        EXPECT_EQ(model.rlinkCount, 4);
        EXPECT_EQ(scalar("rigid.point"), 1.0f);
        EXPECT_EQ(model.currentRigid, 1);
    }
    // A block that is not joined yet can be.
    join(0, 3);
    EXPECT_EQ(errors(), Texts{});
    EXPECT_EQ(model.rigidCount, 3);
}

TEST_F(RigidTest, FullStoresRefuseTheRigidWithTheirMessage) {
    join(1, 2);
    join(2, 3);
    join(0, 1);
    ASSERT_EQ(model.rigidCount, 3);
    join(3, 0);
    EXPECT_EQ(systemBoxes(), Texts{" 関節点設定データ登録がオーバーフローしました！ ( 3 ) \n"});
    EXPECT_EQ(errors(), Texts{});
    EXPECT_EQ(model.rigidCount, 3);

    runFresh("var n; n = 2; unlink.rigid n;");
    ASSERT_EQ(model.rlinkCount, 4);
    model.rlinkCount = 6;
    join(0, 3);
    EXPECT_EQ(systemBoxes(), Texts{" 関節リンクデータ登録がオーバーフローしました！ ( 8 ) \n"});
    EXPECT_EQ(model.rigidCount, 2);
    EXPECT_EQ(model.rlinkCount, 6);
}

TEST_F(RigidTest, TwoJointsBetweenTheSameBlocksAreACycle) {
    join(1, 2);
    // A second rigid between 1 and 2, as a damaged file could leave it.
    model.rigids[1] = model.rigids[0];
    model.rigidCount = 2;
    model.rlinks[2] = {1, -1};
    model.rlinks[3] = {1, -1};
    model.rlinks[0].next = 2;
    model.rlinks[1].next = 3;
    model.rlinkCount = 4;
    join(1, 3);
    EXPECT_EQ(errors(), (Texts{errorText(kCycle), kRunFailed}));
    EXPECT_EQ(model.rigidCount, 2);
}

TEST_F(RigidTest, AChainThatRunsInACircleDoesNotHoldTheWalk) {
    join(1, 2);
    model.rlinks[0].next = 0;
    join(1, 3);
    EXPECT_EQ(errors(), Texts{});
    EXPECT_EQ(model.rigidCount, 2);
    // The circle is broken where the new rigid joins the chain.
    EXPECT_EQ(chain(1), (Numbers{0, 1}));
}

TEST_F(RigidTest, ARigidListedAtABlockItDoesNotJoinIsReported) {
    join(2, 3);
    model.blocks[1].rlinkId = 0;  // block 1 lists rigid 0, which joins 2 and 3
    join(1, 0);
    EXPECT_EQ(systemBoxes(), Texts{"error!: cd_id(1), rr_id(0), block_id[]: 2 3"});
    EXPECT_EQ(model.rigidCount, 1);
}

TEST_F(RigidTest, UnlinkTakesTheRigidOutOfBothChains) {
    join(1, 2);
    join(2, 3);
    model.actorCount = 2;
    model.actors[1].startRigid = 1;
    runFresh("unlink.rigid 0;");
    EXPECT_EQ(statuses(), Texts{"■■　関節点設定解除，ＯＫ！　■■ \n"});
    EXPECT_EQ(model.rigidCount, 1);
    EXPECT_EQ(model.rlinkCount, 2);
    EXPECT_EQ(chain(1), Numbers{});
    EXPECT_EQ(chain(2), Numbers{0});
    EXPECT_EQ(chain(3), Numbers{0});
    EXPECT_EQ(model.rigids[0].block1, 2);
    EXPECT_EQ(model.rigids[0].block2, 3);
    EXPECT_EQ(model.actors[1].startRigid, 0);
    // Block 1 is free again.
    join(1, 3);
    EXPECT_EQ(errors(), Texts{});
    EXPECT_EQ(chain(3), (Numbers{0, 1}));

    for (const char* n : {"unlink.rigid 2;", "unlink.rigid -1;", "unlink.rigid \"0\";"}) {
        runFresh(n);
        EXPECT_EQ(errors().size(), 2u) << n;
    }
    EXPECT_EQ(model.rigidCount, 2);
}

TEST_F(RigidTest, NumCorrectsNumbersBeyondTheRigids) {
    join(1, 2);
    join(2, 3);
    const struct {
        const char* statement;
        int selected;
        Texts status;
    } cases[] = {
        {"num.rigid 1;", 1, {"■■　関節点設定パラメータの選択，ＯＫ！　■■ \n"}},
        {"num.rigid 2;", 2, {"■■　関節点設定パラメータの選択，ＯＫ！　■■ \n"}},
        {"num.rigid 5;",
         1,
         {"WARNING!!: 関節情報番号が設定数を超えています。（修正済）",
          "■■　関節点設定パラメータの選択，ＯＫ！　■■ \n"}},
        {"num.rigid -2;",
         0,
         {"WARNING!!: 関節情報番号が負値になっています。（修正済）",
          "■■　関節点設定パラメータの選択，ＯＫ！　■■ \n"}},
    };
    for (const auto& c : cases) {
        runFresh(c.statement);
        EXPECT_EQ(scalar("rigid.point"), c.selected) << c.statement;
        EXPECT_EQ(statuses(), c.status) << c.statement;
    }
    runFresh("num.rigid 1;");
    EXPECT_EQ(scalar("rigid.block1.id"), 2.0f);
}

TEST_F(RigidTest, LoadAlwaysAddsTheBase) {
    model.loadBase.rigid = 1;
    runFresh("load.rigid 0; let rigid.block1.id 3; set.rigid;");
    EXPECT_EQ(model.currentRigid, 1);
    EXPECT_EQ(model.rigidCount, 2);
    EXPECT_EQ(model.rigids[1].block1, 3);
    EXPECT_EQ(statuses(), Texts{"■■　関節点設定パラメータ設定，ＯＫ！　■■ \n"});
    runFresh("load.rigid 2;");
    EXPECT_EQ(errors(), (Texts{errorText(smsg::kValueNotCorrect), kRunFailed}));
    EXPECT_EQ(model.currentRigid, 1);
}

TEST_F(RigidTest, InitForgetsEveryJoint) {
    join(1, 2);
    join(2, 3);
    model.rigids[0].layer = 1;
    runFresh("init.rigid;");
    EXPECT_EQ(statuses(), Texts{"■■　関節点設定データベースの全初期化終了！　■■ \n"});
    EXPECT_EQ(model.rigidCount, 0);
    EXPECT_EQ(model.rlinkCount, 0);
    for (int b = 0; b < 4; ++b) EXPECT_EQ(model.blocks[b].rlinkId, -1) << b;
    for (const db::Rigid& r : model.rigids) {
        EXPECT_EQ(r.block1, 0);
        EXPECT_EQ(r.block2, 0);
        EXPECT_EQ(r.actor, -1);
        EXPECT_EQ(r.layer, 0);
    }
    join(1, 2);
    EXPECT_EQ(errors(), Texts{});
    EXPECT_EQ(model.rlinkCount, 2);
}

TEST_F(RigidTest, CapaReportsRigidsAndRlinks) {
    join(1, 2);
    runFresh("capa.rigid;");
    EXPECT_EQ(systemBoxes(),
              Texts{"■■　関節点設定(リンク)残り登録数: 2 ( 66 % ) 6 ( 75 % )　■■ \n"});
    runFresh("var n; set.rigidcount n;");
    EXPECT_EQ(scalar("n"), 1.0f);
    runFresh("set.rlinkcount n;");
    EXPECT_EQ(scalar("n"), 2.0f);
}

TEST_F(RigidTest, RlinkRecordsAreSetSavedAndLoaded) {
    model.loadBase.rlink = 2;
    runFresh("load.rlink 1; let rlink.rigid.id 4; let rlink.next -1; set.rlink;");
    EXPECT_EQ(statuses(), (Texts{"■■　関節リンク設定パラメータの選択，ＯＫ！　■■ \n",
                                 "■■　関節リンク設定パラメータ設定，ＯＫ！　■■ \n"}));
    EXPECT_EQ(model.currentRlink, 3);
    EXPECT_EQ(model.rlinkCount, 4);
    EXPECT_EQ(model.rlinks[3].rigid, 4);
    runFresh("var v; v = 7; save.rlink v;");
    EXPECT_EQ(model.rlinks[7].rigid, 4);
    EXPECT_EQ(model.currentRlink, 3);
    runFresh("v = 8; save.rlink v;");
    EXPECT_EQ(errors(), (Texts{errorText(smsg::kValueNotCorrect), kRunFailed}));
}

}  // namespace
}  // namespace rz::test
