// The box-cursor commands as the menus issue them: transforms of a known block through the
// cursor, the boxes they leave, the cursor's state, the camera aimed at it, the grid
// commands, and what bad input and full stores do.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "db/current_records.hpp"
#include "db/system_variables.hpp"
#include "geometry/bounding_box.hpp"
#include "geometry/box_cursor.hpp"
#include "geometry/geometry_messages.hpp"
#include "math/matrix_math.hpp"
#include "model_fixture.hpp"
#include "script/messages.hpp"
#include "started_model.hpp"

namespace rz::test {
namespace {

using Boxes = std::vector<std::string>;
using db::CursorMode;
using db::SysVar;
namespace gmsg = geometry::msg;
namespace smsg = script::msg;

db::Settings toolSettings() {
    db::Settings s;
    s.capacity.axismax = 1400;
    s.capacity.patchmax = 50;
    s.capacity.shapemax = 20;
    s.capacity.blockmax = 8;
    s.capacity.affinemax = 20;
    return s;
}

class BlockToolTest : public StartedModel {
  protected:
    BlockToolTest() : StartedModel(toolSettings()) {
        // The hook counts its calls in work1, where a test can see them.
        model.boxCursor.redraw = [](script::Interp& in) {
            db::scalarVar(in, SysVar::Work1) += 1.0f;
        };
    }

    // A box block from (0,0,0) to (100,200,300), on the active layer.
    void makeBlock() {
        ASSERT_EQ(run("box.s = (0, 0, 0); box.e = (100, 200, 300); boxgen2 box.s, box.e;"),
                  Boxes{});
    }

    Vec3& var(SysVar v) { return db::vectorVar(in, v); }
    int redraws() { return static_cast<int>(db::scalarVar(in, SysVar::Work1)); }
    const db::BoxCursorState& cursor() const { return model.boxCursor; }
};

struct TransformCase {
    const char* name;
    const char* script;       // runs after abox.gen and abox2block on the known block
    Vec3 worldMin, worldMax;  // the abox taken again afterwards
    Vec3 blockMin, blockMax;  // blockbbox.gen afterwards
    int lrflag;
};

// block.move carries the block by its transform (which block boxes leave out); scaling bakes
// into the shape's matrix, so the block box follows. The abox is taken again from the
// expanded shape, placed, so it shows where the views draw the block.
const std::vector<TransformCase> kTransformCases = {
    {"move",
     "box.s = (1000, 0, -50); block.move; affine.block L.ACTIVE;",
     {1000, 0, -50},
     {1100, 200, 250},
     {0, 0, 0},
     {100, 200, 300},
     0},
    {"scale",
     "box.e = (200, 100, 300); center (0, 0, 0); block.scaling; affine L.ACTIVE;",
     {0, 0, 0},
     {200, 100, 300},
     {0, 0, 0},
     {200, 100, 300},
     0},
    {"scale and move",
     "box.s = (10, 20, 30); box.e = (210, 120, 330); center (0, 0, 0); block.scaling; "
     "affine L.ACTIVE;",
     {10, 20, 30},
     {210, 120, 330},
     {10, 20, 30},
     {210, 120, 330},
     0},
    {"mirror",
     "box.s = (100, 0, 0); box.e = (0, 200, 300); center (0, 0, 0); block.scaling; "
     "affine L.ACTIVE;",
     {0, 0, 0},
     {100, 200, 300},
     {0, 0, 0},
     {100, 200, 300},
     1},
};

TEST_F(BlockToolTest, TransformsThroughTheCursorMoveTheBlockWhereTheCursorIs) {
    for (const TransformCase& c : kTransformCases) {
        db::resetModelRecords(model);
        makeBlock();
        ASSERT_EQ(run("matinit; abox.gen; abox2block;"), Boxes{}) << c.name;
        ASSERT_EQ(run(c.script), Boxes{}) << c.name;
        ASSERT_EQ(run("matinit; abox.gen; blockbbox.gen;"), Boxes{}) << c.name;
        const Vec3& lo = cursor().aboxMin;
        const Vec3& hi = cursor().aboxMax;
        EXPECT_THAT(lo, IsPoint(c.worldMin[0], c.worldMin[1], c.worldMin[2])) << c.name;
        EXPECT_THAT(hi, IsPoint(c.worldMax[0], c.worldMax[1], c.worldMax[2])) << c.name;
        EXPECT_THAT(model.blocks[1].xyzmin, IsPoint(c.blockMin[0], c.blockMin[1], c.blockMin[2]))
            << c.name;
        EXPECT_THAT(model.blocks[1].xyzmax, IsPoint(c.blockMax[0], c.blockMax[1], c.blockMax[2]))
            << c.name;
        EXPECT_EQ(model.shapes[0].lrflag, c.lrflag) << c.name;
    }
}

TEST_F(BlockToolTest, ScalingFactorsAndMatrix) {
    // A flat abox keeps its axis; a reversed cursor gives a negative factor.
    const Vec3d f =
        geometry::blockScalingFactors({0, 0, 10}, {-50, 300, 20}, {0, 0, 5}, {100, 100, 5});
    EXPECT_EQ(f, (Vec3d{-0.5, 3.0, 1.0}));
    // about (5,5,5) by (2, 0.5, 1), then by box.s - abox min.
    const Mat4 m = geometry::blockScalingMatrix({2, 0.5, 1}, {5, 5, 5}, {10, 0, 0}, {0, 0, 0});
    const Vec3 p = transformPoint(Vec3{5, 5, 5}, m);
    EXPECT_THAT(p, IsPoint(15, 5, 5));
    EXPECT_THAT(transformPoint(Vec3{6, 7, 8}, m), IsPoint(17, 6, 8));
}

TEST_F(BlockToolTest, AboxIsEmptyWithoutShapesAndCoversActiveBlocksForFigures) {
    ASSERT_EQ(run("abox.gen;"), Boxes{});
    EXPECT_EQ(sink.statuses(), std::vector<std::string>{std::string(gmsg::kAboxDone)});
    EXPECT_EQ(cursor().aboxMin, (Vec3{9999999, 9999999, 9999999}));
    EXPECT_EQ(cursor().aboxMax, (Vec3{-9999999, -9999999, -9999999}));

    makeBlock();
    ASSERT_EQ(run("box.s = (500, 0, 0); box.e = (600, 10, 10); boxgen2 box.s, box.e;"), Boxes{});
    model.blocks[1].layer = 0;
    geometry::aboxOfActiveBlocks(model);
    EXPECT_THAT(cursor().aboxMin, IsPoint(500, 0, 0));
    EXPECT_THAT(cursor().aboxMax, IsPoint(600, 10, 10));
}

// An explicit mesh is drawn where its block's transform puts it, so its abox is taken there.
TEST_F(BlockToolTest, AboxPlacesExplicitShapesByTheirBlockTransform) {
    for (const float y : {0.0f, 10.0f}) model.axes[model.axisCount++].wv = {1, y, 2};
    db::Shape& s = model.shapes[model.shapeCount++];
    s.shapeId = 1;
    s.axisTotal = 2;
    s.kind = db::kShapePolygon;
    model.blockCount = 2;
    model.blocks[1].trans = {100, 0, 0};
    ASSERT_EQ(run("abox.gen;"), Boxes{});
    EXPECT_EQ(cursor().aboxMin, (Vec3{101, 0, 2}));
    EXPECT_EQ(cursor().aboxMax, (Vec3{101, 10, 2}));
}

// Boxes fold from their sentinels: a shape beyond them on one side keeps the sentinel as its
// near bound. A block without shapes, or with only a shape without vertices, keeps the block
// sentinels.
TEST_F(BlockToolTest, ShapeAndBlockBoxesStartFromTheirSentinels) {
    for (const float x : {2e7f, -2e7f}) {
        db::resetModelRecords(model);
        for (const float y : {0.0f, 1.0f}) model.axes[model.axisCount++].wv = {x, y, 0};
        for (const std::uint32_t block : {1u, 3u}) {
            db::Shape& s = model.shapes[model.shapeCount++];
            s.shapeId = block;
            s.axisTotal = block == 1 ? 2 : 0;
            s.kind = db::kShapePolygon;
        }
        model.blockCount = 4;
        ASSERT_EQ(run("bbox.gen; blockbbox.gen;"), Boxes{});
        const db::Shape& s = model.shapes[0];
        EXPECT_EQ(s.bbmin[0], x > 0 ? 9999999.0f : x);
        EXPECT_EQ(s.bbmax[0], x > 0 ? x : -9999999.0f);
        EXPECT_EQ(model.blocks[1].xyzmin[0], s.bbmin[0]);
        for (const int empty : {2, 3}) {
            EXPECT_EQ(model.blocks[empty].xyzmin, (Vec3{1e16f, 1e16f, 1e16f})) << empty;
            EXPECT_EQ(model.blocks[empty].xyzmax, (Vec3{-1e16f, -1e16f, -1e16f})) << empty;
        }
    }
}

TEST_F(BlockToolTest, Abox2BlockAndRestoreRoundTrip) {
    makeBlock();
    var(SysVar::BoxS) = {-1, -2, -3};
    var(SysVar::BoxE) = {7, 8, 9};
    ASSERT_EQ(run("abox.gen; abox2block;"), Boxes{});
    EXPECT_THAT(var(SysVar::BoxS), IsPoint(0, 0, 0));
    EXPECT_THAT(var(SysVar::BoxE), IsPoint(100, 200, 300));
    EXPECT_TRUE(cursor().shown);
    ASSERT_EQ(run("box.s = (40, 40, 40); trans.block;"), Boxes{});
    EXPECT_TRUE(cursor().active);
    ASSERT_EQ(run("block.restore;"), Boxes{});
    EXPECT_EQ(var(SysVar::BoxS), (Vec3{-1, -2, -3}));
    EXPECT_EQ(var(SysVar::BoxE), (Vec3{7, 8, 9}));
    EXPECT_FALSE(cursor().active);
    EXPECT_FALSE(cursor().shown);
    EXPECT_EQ(redraws(), 3);
}

struct StateCase {
    const char* script;
    bool shown, active;
    CursorMode mode;
    int redraws;  // a command that finds the cursor as it wants it leaves the views alone
};

TEST_F(BlockToolTest, CommandsSetTheCursorStateTheViewsDraw) {
    const std::vector<StateCase> cases = {
        {"blockON;", true, false, CursorMode::Idle, 1},
        {"blockON; blockON;", true, false, CursorMode::Idle, 1},
        {"blockON; blockOFF; blockOFF;", false, false, CursorMode::Idle, 2},
        {"blockON; block.resize;", false, true, CursorMode::DragCorner, 2},
        {"trans.block;", false, true, CursorMode::MoveBlocks, 1},
        {"transcopy.block;", false, true, CursorMode::MoveCopy, 1},
        {"trans.parts;", false, true, CursorMode::MoveParts, 1},
        {"trans.actor;", false, true, CursorMode::MoveActor, 1},
        {"scale.block;", false, true, CursorMode::ScaleBlocks, 1},
        {"scale.block; block.default;", false, false, CursorMode::ScaleBlocks, 2},
    };
    for (const StateCase& c : cases) {
        model.boxCursor.shown = false;
        model.boxCursor.active = false;
        model.boxCursor.mode = CursorMode::Idle;
        db::scalarVar(in, SysVar::Work1) = 0;
        ASSERT_EQ(run(c.script), Boxes{}) << c.script;
        EXPECT_EQ(cursor().shown, c.shown) << c.script;
        EXPECT_EQ(cursor().active, c.active) << c.script;
        EXPECT_EQ(cursor().mode, c.mode) << c.script;
        EXPECT_EQ(redraws(), c.redraws) << c.script;
    }
}

TEST_F(BlockToolTest, CameraTurnsToTheGridPointOrTheCursorCentreKeepingItsDirection) {
    struct Case {
        const char* command;
        Vec3 target, gridCenter;
    };
    for (const Case& c : {Case{"gcursor.target;", {10, 20, 30}, {10, 20, 30}},
                          Case{"bcursor.target;", {50, 100, 150}, {0, 0, 0}}}) {
        var(SysVar::CPos) = {100, 100, 100};
        var(SysVar::CTar) = {0, 0, 0};
        var(SysVar::GPos) = {10, 20, 30};
        var(SysVar::BoxS) = {0, 0, 0};
        var(SysVar::BoxE) = {100, 200, 300};
        ASSERT_EQ(run(c.command), Boxes{}) << c.command;
        const Vec3& t = c.target;
        EXPECT_EQ(var(SysVar::CTar), t) << c.command;
        EXPECT_EQ(var(SysVar::CPos), (Vec3{t[0] + 100, t[1] + 100, t[2] + 100})) << c.command;
        EXPECT_EQ(var(SysVar::WCenter), t) << c.command;
        EXPECT_EQ(var(SysVar::GPos), t) << c.command;
        EXPECT_EQ(var(SysVar::GridCenter), c.gridCenter) << c.command;
        EXPECT_EQ(model.camera.tar, t) << c.command;
    }
}

TEST_F(BlockToolTest, GridCommands) {
    ASSERT_EQ(run("box.s = (1, 2, 3); box.e = (4, 5, 6); rev.anker box.s, box.e, Y.DIR;"), Boxes{});
    EXPECT_EQ(var(SysVar::BoxS), (Vec3{1, 5, 3}));
    EXPECT_EQ(var(SysVar::BoxE), (Vec3{4, 2, 6}));
    ASSERT_EQ(run("work2 = 4; rev.anker box.s, box.e, work2;"), Boxes{});
    EXPECT_EQ(var(SysVar::BoxS), (Vec3{1, 5, 3}));

    ASSERT_EQ(run("set.wingrid 6;"), Boxes{});
    EXPECT_EQ(db::scalarVar(in, SysVar::GridStep), 10.0f);
    EXPECT_EQ(db::scalarVar(in, SysVar::GridSize), 400.0f);
    for (int n = 0; n < 12; ++n) {  // the grid is always 40 steps across
        ASSERT_EQ(run("set.wingrid " + std::to_string(n) + ";"), Boxes{}) << n;
        EXPECT_EQ(db::scalarVar(in, SysVar::GridSize), 40 * db::scalarVar(in, SysVar::GridStep));
    }
    ASSERT_EQ(run("set.wingrid 0;"), Boxes{});
    EXPECT_EQ(db::scalarVar(in, SysVar::GridStep), 100.0f);

    for (const auto& [text, on] : {std::pair{"set.parsgrid 0;", false},
                                   {"set.parsgrid 1;", true},
                                   {"set.parsgrid 2;", false},
                                   {"set.parsgrid 3 - 2;", true}}) {
        ASSERT_EQ(run(text), Boxes{}) << text;
        EXPECT_EQ(cursor().perspectiveGrid, on) << text;
    }
    for (const auto& [text, dense, said] : {std::tuple{"wire.detail OFF;", false, gmsg::kFastLines},
                                            {"wire.detail 1;", true, gmsg::kDenseLines}}) {
        ASSERT_EQ(run(text), Boxes{}) << text;
        EXPECT_EQ(cursor().wireDetail, dense) << text;
        EXPECT_EQ(sink.statuses(), std::vector<std::string>{std::string(said)}) << text;
    }
}

TEST_F(BlockToolTest, BadArgumentsAreRefusedAndChangeNothing) {
    const std::vector<std::pair<std::string, std::string_view>> cases = {
        {"abox2block 1;", smsg::kTooManyParams},
        {"block.move box.s;", smsg::kTooManyParams},
        {"bbox.gen 0;", smsg::kTooManyParams},
        {"rev.anker work1, box.e, 1;", smsg::kBadVariableType},
        {"rev.anker box.s; box.e, 1;", smsg::kBadSeparator},
        {"rev.anker box.s, box.e, box.s;", smsg::kValueNotCorrect},
        {"rev.anker box.s, box.e, 1, 2;", smsg::kTooManyParams},
        {"set.wingrid 12;", smsg::kValueNotCorrect},
        {"set.wingrid -1;", smsg::kValueNotCorrect},
        {"wire.detail 2;", smsg::kBadParam},
        {"wire.detail box.s;", smsg::kBadParam},
    };
    var(SysVar::BoxS) = {1, 2, 3};
    const Mat4 current = model.geometry.current;
    for (const auto& [text, message] : cases) {
        EXPECT_EQ(run(text), (Boxes{err(message), kRunFailed})) << text;
        EXPECT_EQ(var(SysVar::BoxS), (Vec3{1, 2, 3})) << text;
        EXPECT_EQ(db::scalarVar(in, SysVar::GridStep), 500.0f) << text;
        EXPECT_TRUE(cursor().wireDetail) << text;
        EXPECT_EQ(model.geometry.current, current) << text;
    }
}

// Box generation expands parametric shapes at the end of the stores and places them through
// the matrix stack: with no room it reports the store and leaves the counts as they were.
TEST_F(BlockToolTest, FullStoresAreReportedAndLeaveTheModelAlone) {
    ASSERT_EQ(run("ballgen1 box.s, box.e, 12, 3;"), Boxes{});
    const int axes = model.axisCount;
    model.capacity.axismax = axes + 1000 + 10;  // the ball's expansion needs 169
    for (const char* command : {"abox.gen;", "bbox.gen;"}) {
        EXPECT_EQ(run(command), (Boxes{err(gmsg::kAxisFull), kRunFailed})) << command;
        EXPECT_EQ(model.axisCount, axes) << command;
        EXPECT_EQ(model.shapeCount, 1) << command;
    }
    model.capacity.axismax = 1400;
    std::string pushes;
    for (int i = 1; i < db::kMatrixStackDepth; ++i) pushes += "matpush;";
    ASSERT_EQ(run(pushes), Boxes{});  // room for one level more; placing a shape needs two
    EXPECT_EQ(run("abox.gen;"), (Boxes{err(gmsg::kStackOverflow), kRunFailed}));
    EXPECT_EQ(model.geometry.depth, db::kMatrixStackDepth - 1);
}

}  // namespace
}  // namespace rz::test
