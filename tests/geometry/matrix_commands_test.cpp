// The matrix commands of the language and the affine family applied to the model.
#include <gtest/gtest.h>

#include "geometry/geometry_messages.hpp"
#include "geometry/matrix_stack.hpp"
#include "math/matrix_math.hpp"
#include "model_fixture.hpp"
#include "script/messages.hpp"
#include "started_model.hpp"

namespace rz::test {
namespace {

using Boxes = std::vector<std::string>;
namespace gmsg = geometry::msg;
namespace smsg = script::msg;

class MatrixCommandTest : public StartedModel {
  protected:
    Vec3 through(const Vec3& p) { return geometry::transformByCurrent(model.geometry, p); }

    // A parametric box (one parameter axis) in `block` on `layer`.
    int addBox(int block, std::uint8_t layer, std::uint16_t matrix = 0) {
        const int s = model.shapeCount++;
        model.axes[model.axisCount] = db::Axis{{0, 0, 0}, {2, 2, 2}, 0, 0};
        model.shapes[s] = db::Shape{};
        model.shapes[s].shapeId = static_cast<std::uint32_t>(block);
        model.shapes[s].axisId = static_cast<std::uint32_t>(model.axisCount++);
        model.shapes[s].axisTotal = 1;
        model.shapes[s].kind = db::kShapeBox;
        model.shapes[s].layer = layer;
        model.shapes[s].matrixId = matrix;
        return s;
    }

    // A 2 x 1 grid: (0,0,0) and (1,1,0), both with the normal (1,1,0) / sqrt 2.
    int addLine(int block) {
        const int s = model.shapeCount++;
        const float h = static_cast<float>(std::sqrt(0.5));
        model.axes[model.axisCount] = db::Axis{{0, 0, 0}, {h, h, 0}, 0, 0};
        model.axes[model.axisCount + 1] = db::Axis{{1, 1, 0}, {h, h, 0}, 1, 0};
        model.patches[0] = -2, model.patches[1] = 2, model.patches[2] = 1;
        model.shapes[s] = db::Shape{};
        model.shapes[s].shapeId = static_cast<std::uint32_t>(block);
        model.shapes[s].axisId = static_cast<std::uint32_t>(model.axisCount);
        model.shapes[s].axisTotal = 2;
        model.shapes[s].patchTotal = 3;
        model.shapes[s].kind = db::kShapeGrid;
        model.shapes[s].bbmin = {0, 0, 0};
        model.shapes[s].bbmax = {1, 1, 0};
        model.axisCount += 2;
        model.patchCount = 3;
        return s;
    }
};

TEST_F(MatrixCommandTest, RotationThenMoveAsTheInterfaceIssuesThem) {
    EXPECT_EQ(run("matinit; rot.z (90); move (10, 0, 0);"), Boxes{});
    EXPECT_THAT(through({1, 0, 0}), IsPoint(10, 1, 0));
    EXPECT_EQ(run("var w; w = 45; matinit; rot.x ( w ); rot.x ( w * 1 );"), Boxes{});
    EXPECT_THAT(through({0, 1, 0}), IsPoint(0, 0, 1));
    EXPECT_EQ(run("center (5, 0, 0); matinit; rot.y (180);"), Boxes{});
    EXPECT_THAT(through({5, 0, 0}), IsPoint(5, 0, 0));
    EXPECT_THAT(through({6, 0, 0}), IsPoint(4, 0, 0));
}

TEST_F(MatrixCommandTest, CentreBackupAndRestore) {
    EXPECT_EQ(run("center (1, 2, 3); center.backup; center box.e; center.restore;"), Boxes{});
    EXPECT_THAT(model.geometry.center, IsPoint(1, 2, 3));
    EXPECT_EQ(run("center (0, 0, 0); matinit; scale (2, 3, 4);"), Boxes{});
    EXPECT_THAT(through({1, 1, 1}), IsPoint(2, 3, 4));
}

TEST_F(MatrixCommandTest, SyntaxErrorsAreReportedAndStopTheRun) {
    struct Case {
        const char* text;
        std::string_view message;
    };
    const std::vector<Case> cases = {
        {"rot.x 90;", smsg::kNoOpenParen},           {"rot.y (90;", smsg::kNoCloseParen},
        {"rot.z (90) 1;", smsg::kTooManyParams},     {"move (1, 2, 3) 1;", smsg::kTooManyParams},
        {"scale (1 2 3);", smsg::kBadSeparator},     {"center 5;", smsg::kNoOpenParen},
        {"matinit 1;", smsg::kTooManyParams},        {"matpush x;", smsg::kTooManyParams},
        {"matpop ,;", smsg::kTooManyParams},         {"center.backup 1;", smsg::kTooManyParams},
        {"center.restore 1;", smsg::kTooManyParams},
    };
    for (const Case& c : cases) {
        model.geometry.current = kIdentity;
        EXPECT_EQ(run(std::string(c.text) + " move (1, 1, 1);"),
                  (Boxes{err(c.message), kRunFailed}))
            << c.text;
        EXPECT_EQ(model.geometry.current, kIdentity) << c.text;
    }
}

TEST_F(MatrixCommandTest, StackLimitsThroughTheLanguage) {
    std::string pushes;
    for (int i = 0; i < 101; ++i) pushes += "matpush;";
    EXPECT_EQ(run(pushes), Boxes{});
    EXPECT_EQ(run("matpush;"), (Boxes{err(gmsg::kStackOverflow), kRunFailed}));
    EXPECT_EQ(run("move (1, 0, 0);"), (Boxes{err(gmsg::kStackOverflow), kRunFailed}));
    std::string pops;
    for (int i = 0; i < 101; ++i) pops += "matpop;";
    EXPECT_EQ(run(pops), Boxes{});
    EXPECT_EQ(run("matpop;"), (Boxes{err(gmsg::kStackUnderflow), kRunFailed}));
    // A push and a pop around a change compose: saved * new.
    EXPECT_EQ(run("matinit; move (1, 0, 0); matpush; matinit; scale (2, 2, 2); matpop;"), Boxes{});
    EXPECT_THAT(through({0, 0, 0}), IsPoint(2, 0, 0));
}

TEST_F(MatrixCommandTest, AffineSelectionArgument) {
    struct Case {
        const char* text;
        Boxes boxes;
    };
    const std::vector<Case> cases = {
        {"affine \"all\";", {err(smsg::kBadParam), kRunFailed}},
        {"affine 2;", {err(smsg::kValueNotCorrect), kRunFailed}},
        {"affine.block 3;", {err(smsg::kValueNotCorrect), kRunFailed}},
        {"affine.rigid L.ACTIVE 1;", {err(smsg::kTooManyParams), kRunFailed}},
        {"cancel.affine.block box.s;", {err(smsg::kBadParam), kRunFailed}},
        {"cancel.affine.rigid; affine; affine 0; affine L.ACTIVE; affine.block ON;", {}},
        {"var one; one = 1.5; affine one;", {}},
    };
    for (const Case& c : cases) EXPECT_EQ(run(c.text), c.boxes) << c.text;
}

TEST_F(MatrixCommandTest, MirroringScalesFlipTheFacingOnce) {
    const int a = addBox(1, 0, 1);
    const int b = addBox(1, 0, 2);
    model.affineCount = 3;
    model.shapes[b].lrflag = 1;
    EXPECT_EQ(run("matinit; scale (-1, 1, 1); affine;"), Boxes{});
    EXPECT_EQ(model.shapes[a].lrflag, 1);
    EXPECT_EQ(model.shapes[b].lrflag, 0);
    // The mirror count was cleared by the affine: a second one flips nothing.
    EXPECT_EQ(run("affine;"), Boxes{});
    EXPECT_EQ(model.shapes[a].lrflag, 1);
    EXPECT_EQ(run("matinit; scale (-1, -1, 1); affine;"), Boxes{});
    EXPECT_EQ(model.shapes[a].lrflag, 1);
    EXPECT_EQ(model.shapes[b].lrflag, 0);
}

TEST_F(MatrixCommandTest, AffineOnAParametricShapeChangesOnlyItsMatrixSlot) {
    const int owned = addBox(1, 0, 1);
    const int shared = addBox(1, 0, 0);  // names the permanent identity
    model.affines[1] = translation({0, 0, 5});
    model.affineCount = 2;
    const db::Axis before = model.axes[model.shapes[owned].axisId];
    EXPECT_EQ(run("matinit; move (1, 2, 3); affine;"), Boxes{});
    EXPECT_EQ(model.axes[model.shapes[owned].axisId].wv, before.wv);
    EXPECT_EQ(model.axes[model.shapes[owned].axisId].nv, before.nv);
    // Its own matrix first, then the current one.
    EXPECT_THAT(transformPoint(Vec3{0, 0, 0}, model.affines[1]), IsPoint(1, 2, 8));
    // The identity slot stays what it is; the shape got a slot of its own.
    EXPECT_EQ(model.affines[0], kIdentity);
    EXPECT_EQ(model.shapes[shared].matrixId, 2);
    EXPECT_THAT(transformPoint(Vec3{0, 0, 0}, model.affines[2]), IsPoint(1, 2, 3));
    // And the current matrix is what it was.
    EXPECT_THAT(through({0, 0, 0}), IsPoint(1, 2, 3));
}

TEST_F(MatrixCommandTest, AffineOnAnExplicitShapeMovesItsAxesAndCorrectsNormals) {
    const int line = addLine(1);
    model.blockCount = 2;
    model.blocks[1].xyzmin = {1e16f, 1e16f, 1e16f};
    model.blocks[1].xyzmax = {-1e16f, -1e16f, -1e16f};
    EXPECT_EQ(run("matinit; scale (2, 1, 1); move (0, 0, 10); affine L.ACTIVE;"), Boxes{});
    EXPECT_EQ(model.axes[0].wv, (Vec3{0, 0, 0}));  // layer 0: not active
    model.shapes[line].layer = 1;
    EXPECT_EQ(run("affine L.ACTIVE;"), Boxes{});
    EXPECT_THAT(model.axes[0].wv, IsPoint(0, 0, 10));
    EXPECT_THAT(model.axes[1].wv, IsPoint(2, 1, 10));
    // A surface stretched along x leans its normal away from x: (1/2, 1, 0) normalised.
    const double len = std::sqrt(1.25);
    EXPECT_THAT(model.axes[0].nv, IsPoint(0.5 / len, 1 / len, 0));
    EXPECT_THAT(model.shapes[line].bbmin, IsPoint(0, 0, 10));
    EXPECT_THAT(model.shapes[line].bbmax, IsPoint(2, 1, 10));
    // The block box grew around the box corners taken through the current matrix.
    EXPECT_THAT(model.blocks[1].xyzmax, IsPoint(4, 1, 20));
}

TEST_F(MatrixCommandTest, BlockDisplacementsMoveAndCancelForTheSelection) {
    model.blockCount = 3;
    model.blocks[1].trans = {1, 0, 0};
    model.blocks[1].layer = 1;
    model.blocks[2].trans = {0, 1, 0};
    EXPECT_EQ(run("matinit; move (0, 0, 5); affine.block L.ACTIVE;"), Boxes{});
    EXPECT_THAT(model.blocks[1].trans, IsPoint(1, 0, 5));
    EXPECT_THAT(model.blocks[2].trans, IsPoint(0, 1, 0));
    EXPECT_EQ(run("cancel.affine.block L.ACTIVE;"), Boxes{});
    EXPECT_THAT(model.blocks[1].trans, IsPoint(1, 0, 0));
    EXPECT_EQ(run("affine.block;"), Boxes{});
    EXPECT_THAT(model.blocks[2].trans, IsPoint(0, 1, 5));
    EXPECT_THAT(model.blocks[0].trans, IsPoint(0, 0, 0));  // the reserved block
}

TEST_F(MatrixCommandTest, JointPointsMoveAndCancelForTheSelection) {
    model.rigidCount = 2;
    model.rigids[0].pos = {1, 1, 1};
    model.rigids[0].old = {2, 2, 2};
    model.rigids[1].pos = {3, 3, 3};
    model.rigids[1].layer = 1;
    EXPECT_EQ(run("matinit; scale (2, 2, 2); affine.rigid;"), Boxes{});
    EXPECT_THAT(model.rigids[0].pos, IsPoint(2, 2, 2));
    EXPECT_THAT(model.rigids[0].old, IsPoint(4, 4, 4));
    EXPECT_EQ(run("affine.rigid L.ACTIVE;"), Boxes{});
    EXPECT_THAT(model.rigids[1].pos, IsPoint(12, 12, 12));
    EXPECT_EQ(run("cancel.affine.rigid L.ACTIVE;"), Boxes{});
    EXPECT_THAT(model.rigids[1].pos, IsPoint(6, 6, 6));
    EXPECT_THAT(model.rigids[0].pos, IsPoint(2, 2, 2));
    EXPECT_EQ(run("cancel.affine.rigid;"), Boxes{});
    EXPECT_THAT(model.rigids[0].pos, IsPoint(1, 1, 1));
    EXPECT_THAT(model.rigids[0].old, IsPoint(2, 2, 2));
}

}  // namespace
}  // namespace rz::test
