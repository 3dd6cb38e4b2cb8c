// Posing figures: an arm of four blocks A-B-C-D joined at x = 100, 200 and 300, turned and
// moved through the joint graph, checked by where the blocks' transforms take their points.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "geometry/block_transform.hpp"
#include "geometry/matrix_stack.hpp"
#include "tests/geometry/started_model.hpp"

namespace rz::geometry {
namespace {

using Boxes = std::vector<std::string>;

constexpr const char* kNotJoined = "ERROR: そのパーツは選択された関節点につながっていません！";
constexpr const char* kCircular = "ERROR: 運動モデル間のパーツ接続が循環状態になります。";

void expectNear(const Vec3& got, const Vec3& want) {
    for (int c = 0; c < 3; ++c) EXPECT_NEAR(got[c], want[c], 1e-3) << "component " << c;
}

class Arm : public test::StartedModel {
  protected:
    // Blocks 1 … 4 side by side along x, each 100 wide, block 5 apart; rigid 0 joins A and
    // B at (100, 50, 50), rigid 1 B and C at (200, 50, 50), rigid 2 C and D at (300, 50, 50).
    void SetUp() override {
        model.blockCount = 6;
        for (int b = 1; b <= 5; ++b) {
            const float x = b == 5 ? 600.0f : 100.0f * static_cast<float>(b - 1);
            model.blocks[b].xyzmin = {x, 0, 0};
            model.blocks[b].xyzmax = {x + 100, 100, 100};
        }
        std::strcpy(model.blocks[2].name.data(), "upper");
        for (const auto& [a, b] : {std::pair{1, 2}, {2, 3}, {3, 4}})
            ASSERT_EQ(run("rigid.block1.id = " + std::to_string(a) +
                          "; rigid.block2.id = " + std::to_string(b) + "; new.rigid;"),
                      Boxes{});
        ASSERT_EQ(model.rigids[2].pos, (Vec3{300, 50, 50}));
    }

    // Where block b's transform takes a point given in rest pose.
    Vec3 placed(int b, const Vec3& p) {
        model.geometry.current = kIdentity;
        EXPECT_EQ(setBlockTransform(model, msg, b), script::kOk);
        const Vec3 out = transformByCurrent(model.geometry, p);
        model.geometry.current = kIdentity;
        return out;
    }
};

TEST_F(Arm, MotionTurnsTheSubtreeAboutTheJointAndComposesWithTheNext) {
    // B, C and D a quarter turn about z at rigid 0: (x, y) around (100, 50) goes to (-y, x).
    ASSERT_EQ(run("motion 0, @upper, 0, 0, 90;"), Boxes{});
    expectNear(placed(4, {400, 50, 50}), {100, 350, 50});
    expectNear(placed(2, {200, 50, 50}), {100, 150, 50});
    expectNear(model.rigids[2].pos, {100, 250, 50});
    expectNear(model.rigids[0].pos, {100, 50, 50});
    EXPECT_EQ(model.blocks[1].matrix, kIdentity);
    EXPECT_EQ(model.blocks[1].trans, (Vec3{}));

    // Then C and D a quarter turn about x at rigid 1, which now stands at (100, 150, 50):
    // y turns toward z, so D's end (0, 200, 0) from the joint goes to (0, 0, 200).
    ASSERT_EQ(run("var a; a = 90; motion 1, 3, a, 0, 0;"), Boxes{});
    expectNear(placed(4, {400, 50, 50}), {100, 150, 250});
    expectNear(placed(3, {200, 50, 50}), {100, 150, 50});
    expectNear(placed(2, {200, 50, 50}), {100, 150, 50});
    EXPECT_EQ(model.blocks[4].xyzrot, (Vec3{90, 0, 90}));
    EXPECT_EQ(model.blocks[4].xyztmp, (Vec3{0, 0, 90}));
    EXPECT_EQ(model.rigids[2].tmp, (Vec3{100, 250, 50}));
}

TEST_F(Arm, MoverigidTranslatesTheSubtreeOnly) {
    ASSERT_EQ(run("motion 0, 2, 0, 0, 90;"), Boxes{});
    const Vec3 b = placed(2, {150, 50, 50});
    const Vec3 d = placed(4, {400, 50, 50});
    ASSERT_EQ(run("moverigid 1, 3, 10, 20, -30;"), Boxes{});
    expectNear(placed(4, {400, 50, 50}), {d[0] + 10, d[1] + 20, d[2] - 30});
    expectNear(placed(3, {250, 50, 50}), {110, 220, 20});
    expectNear(placed(2, {150, 50, 50}), b);
    expectNear(model.rigids[1].pos, {110, 170, 20});
    expectNear(model.rigids[0].pos, {100, 50, 50});
}

TEST_F(Arm, RefusedPosesChangeNothing) {
    const std::vector<db::Block> blocks(model.blocks.begin(), model.blocks.begin() + 6);
    const std::vector<db::Rigid> rigids(model.rigids.begin(), model.rigids.begin() + 3);
    const struct {
        const char* statement;
        const char* message;
    } cases[] = {
        {"motion 0, 3, 0, 0, 90;", kNotJoined},
        {"moverigid 2, 1, 5, 5, 5;", kNotJoined},
        {"motion 3, 2, 0, 0, 90;", "ERROR: 関節点が存在していません！"},
        {"motion 0, 6, 0, 0, 90;", "ERROR: パーツブロックが存在していません！"},
        {"motion 0, 2, 0, 0;", "ERROR:  不正なセパレータを使用しました！ ','を使用して下さい "},
        {"motion 0, 2, 0, 0, 90, 1;", "ERROR:  パラメータが多すぎます！ "},
        {"motion \"arm\", 2, 0, 0, 90;", "ERROR:  パラメータが不正です！ "},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(run(c.statement), (Boxes{c.message, test::kRunFailed})) << c.statement;
        for (int b = 0; b < 6; ++b) {
            const db::Block& now = model.blocks[b];
            EXPECT_TRUE(now.matrix == blocks[b].matrix && now.center == blocks[b].center &&
                        now.trans == blocks[b].trans && now.xyzrot == blocks[b].xyzrot)
                << c.statement << " block " << b;
        }
        for (int r = 0; r < 3; ++r)
            EXPECT_TRUE(model.rigids[r].pos == rigids[r].pos &&
                        model.rigids[r].tmp == rigids[r].tmp)
                << c.statement << " rigid " << r;
    }
}

TEST_F(Arm, RigidBboxSelectsAndBoxesTheFigureAroundTheCurrentRigid) {
    model.shapeCount = 3;
    model.shapes[0].shapeId = 2;
    model.shapes[1].shapeId = 4;
    model.shapes[2].shapeId = 5;
    ASSERT_EQ(run("num.rigid 1; rigid.bbox;"), Boxes{});
    for (int b = 1; b <= 4; ++b) EXPECT_EQ(model.blocks[b].layer, 1) << b;
    EXPECT_EQ(model.blocks[5].layer, 0);
    for (int r = 0; r < 3; ++r) EXPECT_EQ(model.rigids[r].layer, 1) << r;
    EXPECT_EQ(model.shapes[0].layer, 1);
    EXPECT_EQ(model.shapes[1].layer, 1);
    EXPECT_EQ(model.shapes[2].layer, 0);
    EXPECT_EQ(model.boxCursor.aboxMin, (Vec3{0, 0, 0}));
    EXPECT_EQ(model.boxCursor.aboxMax, (Vec3{400, 100, 100}));

    EXPECT_EQ(run("init.rigid; rigid.bbox;"),
              (Boxes{"ERROR: 関節点が選択されていません！", test::kRunFailed}));
}

// A joint from D back to A, as only a damaged file could hold, closes a circle: the walk
// fills its list and is refused instead of running round for ever.
TEST_F(Arm, ACircleInTheJointGraphIsRefused) {
    const int l = model.rlinkCount;
    model.rigids[3] = model.rigids[0];
    model.rigids[3].block1 = 4;
    model.rigids[3].block2 = 1;
    model.rigidCount = 4;
    model.rlinks[l] = {3, model.blocks[4].rlinkId};
    model.rlinks[l + 1] = {3, model.blocks[1].rlinkId};
    model.blocks[4].rlinkId = static_cast<std::int16_t>(l);
    model.blocks[1].rlinkId = static_cast<std::int16_t>(l + 1);
    model.rlinkCount = l + 2;
    EXPECT_EQ(run("motion 0, 2, 0, 0, 90;"), (Boxes{kCircular, test::kRunFailed}));
    EXPECT_EQ(run("rigid.bbox;"), (Boxes{kCircular, test::kRunFailed}));
}

}  // namespace
}  // namespace rz::geometry
