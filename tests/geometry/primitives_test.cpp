// The primitive commands as the tools issue them: the shapes of every kind, their facing,
// the block and its box, the undo, the marker, and what bad input and full stores do.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "db/current_records.hpp"
#include "db/system_variables.hpp"
#include "geometry/cursor_marker.hpp"
#include "geometry/geometry_messages.hpp"
#include "geometry/primitives.hpp"
#include "model_fixture.hpp"
#include "script/messages.hpp"
#include "started_model.hpp"

namespace rz::test {
namespace {

using Boxes = std::vector<std::string>;
using geometry::PrimKind;
namespace gmsg = geometry::msg;
namespace smsg = script::msg;

constexpr std::uint8_t kBall = db::kShapeBall;
constexpr std::uint8_t kRevolve = db::kShapeRevolve;
constexpr std::uint8_t kBox = db::kShapeBox;
constexpr std::uint8_t kDisc = db::kShapeDisc;
constexpr std::uint8_t kQuad = db::kShapeQuad;
constexpr std::uint8_t kRing = db::kShapeRing;
constexpr std::uint8_t kGridPlane = db::kShapeGridPlane;

db::Settings primitiveSettings() {
    db::Settings s;
    s.capacity.axismax = 1200;  // 200 usable by checked operations
    s.capacity.patchmax = 50;
    s.capacity.shapemax = 40;
    s.capacity.blockmax = 8;
    s.capacity.affinemax = 40;
    return s;
}

struct Counts {
    std::int32_t axis, patch, shape, block, affine;
    bool operator==(const Counts&) const = default;
};

class PrimitiveTest : public StartedModel {
  protected:
    PrimitiveTest() : StartedModel(primitiveSettings()) {}

    Counts counts() const {
        return {model.axisCount, model.patchCount, model.shapeCount, model.blockCount,
                model.affineCount};
    }

    // set.primitive with the tools' variables.
    Boxes make(PrimKind kind, const Vec3& s, const Vec3& e, int direc, int futa = 0,
               float ratio = 0.5f, int div = 4) {
        db::scalarVar(in, db::SysVar::BCursorCode) = static_cast<float>(kind);
        db::vectorVar(in, db::SysVar::BoxS) = s;
        db::vectorVar(in, db::SysVar::BoxE) = e;
        db::scalarVar(in, db::SysVar::Direc) = static_cast<float>(direc);
        db::scalarVar(in, db::SysVar::Futa) = static_cast<float>(futa);
        db::scalarVar(in, db::SysVar::TRatio) = ratio;
        db::scalarVar(in, db::SysVar::Div) = static_cast<float>(div);
        return run("set.primitive box.s, box.e, t.ratio, div, direc, futa;");
    }

    const db::Shape& shape(int i) const { return model.shapes[i]; }
    // The eight parameter floats of axis A (0) or B (1) of shape i.
    Params param(int i, int which) const {
        const db::Axis& a = model.axes[shape(i).axisId + which];
        return {a.wv[0], a.wv[1], a.wv[2], a.nv[0], a.nv[1], a.nv[2], a.u, a.v};
    }
    std::string blockName(int b) const { return model.blocks[b].name.data(); }
};

// ---- Every kind --------------------------------------------------------------------------

struct ShapeExpectation {
    std::uint8_t kind;
    int lrflag = 0;
    int facing = -1;  // B[7] of discs and rings
};

struct KindCase {
    PrimKind kind;
    std::vector<ShapeExpectation> closed;  // futa 0, e ahead of s on every axis, direc 3
    std::size_t open;                      // shapes with futa 1
};

const std::vector<KindCase> kKindCases = {
    {PrimKind::Box2, {{kBox}}, 1},
    {PrimKind::Box3, {{kQuad}, {kQuad}, {kQuad}, {kQuad}, {kQuad}, {kQuad}}, 6},
    {PrimKind::Corn1, {{kRevolve}, {kDisc, 0, 1}}, 1},
    {PrimKind::Cyl1, {{kRevolve}, {kDisc, 0, 1}, {kDisc, 0, 0}}, 1},
    {PrimKind::Corn4, {{kRevolve}, {kQuad}, {kQuad}, {kDisc, 0, 1}}, 1},
    {PrimKind::Cyl4, {{kRevolve}, {kQuad}, {kQuad}, {kDisc, 0, 1}, {kDisc, 0, 0}}, 1},
    {PrimKind::Ball1, {{kBall}}, 1},
    {PrimKind::Ball8, {{kBall}, {kDisc, 0, 1}, {kDisc, 0, 1}, {kDisc, 0, 1}}, 1},
    {PrimKind::Torus1, {{kRevolve, 0}, {kRevolve, 1}, {kRing, 0, 1}, {kRing, 0, 0}}, 2},
    {PrimKind::Torus4,
     {{kRevolve, 0}, {kRevolve, 1}, {kQuad}, {kQuad}, {kRing, 0, 1}, {kRing, 0, 0}},
     2},
    {PrimKind::T1Torus1, {{kRevolve, 0}, {kRevolve, 1}, {kRing, 0, 1}}, 2},
    {PrimKind::T1Torus4, {{kRevolve, 0}, {kRevolve, 1}, {kQuad}, {kQuad}, {kRing, 0, 1}}, 2},
    {PrimKind::T2Torus1, {{kRevolve, 0}, {kRevolve, 1}, {kRing, 0, 1}}, 2},
    {PrimKind::T2Torus4, {{kRevolve, 0}, {kRevolve, 1}, {kQuad}, {kQuad}, {kRing, 0, 1}}, 2},
    {PrimKind::Ball4, {{kBall}, {kDisc, 0, 1}, {kDisc, 0, 1}}, 1},
    {PrimKind::GridPlane, {{kGridPlane}}, 1},
};

TEST_F(PrimitiveTest, EveryKindMakesItsShapesInOrderAsOneNewBlock) {
    ASSERT_EQ(kKindCases.size(), static_cast<std::size_t>(geometry::kPrimKindCount));
    for (const KindCase& c : kKindCases) {
        const std::string label = "kind " + std::to_string(static_cast<int>(c.kind));
        db::resetModelRecords(model);
        ASSERT_EQ(make(c.kind, {10, 20, 30}, {110, 220, 330}, 3), Boxes{}) << label;
        ASSERT_EQ(model.shapeCount, static_cast<int>(c.closed.size())) << label;
        int axes = 0;
        for (std::size_t i = 0; i < c.closed.size(); ++i) {
            const db::Shape& s = shape(static_cast<int>(i));
            const ShapeExpectation& x = c.closed[i];
            const std::string at = label + " shape " + std::to_string(i);
            EXPECT_EQ(s.kind, x.kind) << at;
            EXPECT_EQ(s.lrflag, x.lrflag) << at;
            if (x.facing >= 0) {
                EXPECT_EQ(param(static_cast<int>(i), 1)[7], x.facing) << at;
            }
            EXPECT_EQ(s.shapeId, 1u) << at;
            EXPECT_EQ(s.layer, 1) << at;
            EXPECT_EQ(s.axisId, static_cast<std::uint32_t>(axes)) << at;
            EXPECT_EQ(s.matrixId, i + 1) << at;  // a slot of its own
            EXPECT_EQ(s.patchTotal, 0u) << at;
            const bool curved =
                x.kind == kBall || x.kind == kRevolve || x.kind == kDisc || x.kind == kRing;
            EXPECT_EQ(s.smoothflag, curved ? 1 : 0) << at;
            axes += x.kind == kBox ? 1 : 2;
        }
        EXPECT_EQ(model.axisCount, axes) << label;
        EXPECT_EQ(model.affineCount, model.shapeCount + 1) << label;
        EXPECT_EQ(model.blockCount, 2) << label;
        EXPECT_EQ(model.blocks[1].layer, 1) << label;
        EXPECT_EQ(blockName(1), "Block(1)") << label;

        db::resetModelRecords(model);
        ASSERT_EQ(make(c.kind, {10, 20, 30}, {110, 220, 330}, 3, 1), Boxes{}) << label;
        EXPECT_EQ(model.shapeCount, static_cast<int>(c.open)) << label << " open";
    }
}

// Every kind fills the box it is given, whichever way the corners are taken and whichever
// axis it turns about; the grid plane lies on the min side across direc. Sweeps, octants
// and quarters that pointed the wrong way would stick out of the box.
TEST_F(PrimitiveTest, BlockBoxIsTheInputBoxForEveryKindDirectionAndCornerOrder) {
    const Vec3 lo{10, 20, 30};
    const Vec3 hi{110, 220, 330};
    for (int code = 0; code < geometry::kPrimKindCount; ++code) {
        for (int direc = 1; direc <= 3; ++direc) {
            for (const bool reversed : {false, true}) {
                const std::string label = "kind " + std::to_string(code) + " direc " +
                                          std::to_string(direc) + (reversed ? " reversed" : "");
                db::resetModelRecords(model);
                ASSERT_EQ(make(static_cast<PrimKind>(code), reversed ? hi : lo, reversed ? lo : hi,
                               direc),
                          Boxes{})
                    << label;
                Vec3 top = hi;
                if (static_cast<PrimKind>(code) == PrimKind::GridPlane)
                    top[direc - 1] = lo[direc - 1];
                EXPECT_THAT(model.blocks[1].xyzmin, IsPoint(lo[0], lo[1], lo[2])) << label;
                EXPECT_THAT(model.blocks[1].xyzmax, IsPoint(top[0], top[1], top[2])) << label;
            }
        }
    }
}

TEST_F(PrimitiveTest, BoxFacesAndGridPlaneCorners) {
    ASSERT_EQ(make(PrimKind::Box3, {0, 0, 0}, {1, 2, 3}, 3), Boxes{});
    // x min, z max, x max, z min, y max, y min; P0 and P3 of each.
    const std::vector<std::pair<Vec3, Vec3>> corners = {
        {{0, 0, 0}, {0, 2, 3}}, {{0, 0, 3}, {1, 2, 3}}, {{1, 0, 3}, {1, 2, 0}},
        {{1, 0, 0}, {0, 2, 0}}, {{0, 2, 3}, {1, 2, 0}}, {{0, 0, 0}, {1, 0, 3}},
    };
    for (int i = 0; i < 6; ++i) {
        const Params a = param(i, 0);
        const Params b = param(i, 1);
        const auto& [p0, p3] = corners[i];
        EXPECT_THAT((Vec3{a[0], a[1], a[2]}), IsPoint(p0[0], p0[1], p0[2])) << i;
        EXPECT_THAT((Vec3{b[3], b[4], b[5]}), IsPoint(p3[0], p3[1], p3[2])) << i;
    }
    db::resetModelRecords(model);
    ASSERT_EQ(make(PrimKind::GridPlane, {0, 0, 0}, {1, 2, 3}, 1, 0, 0.5f, 7), Boxes{});
    EXPECT_EQ(param(0, 0), (Params{0, 0, 0, 0, 2, 0, 7, 0}));
    EXPECT_EQ(param(0, 1), (Params{0, 0, 3, 0, 2, 3, 0, 0}));
}

// ---- The cases the tools rely on ---------------------------------------------------------

TEST_F(PrimitiveTest, FlatBoxMakesNothingAndSucceeds) {
    const Counts before = counts();
    EXPECT_EQ(make(PrimKind::Box2, {0, 0, 0}, {100, 0, 50}, 3), Boxes{err(gmsg::kFlatBlock)});
    EXPECT_EQ(counts(), before);
}

TEST_F(PrimitiveTest, ConeApexLiesAtTheEndAwayFromS) {
    ASSERT_EQ(make(PrimKind::Corn1, {0, 0, 0}, {100, 200, 300}, 3), Boxes{});
    // Wall: bottom centre on the min side with radii, nothing across at the top.
    EXPECT_EQ(param(0, 0), (Params{50, 100, 0, 50, 100, 0, 4, 3}));
    EXPECT_EQ(param(0, 1), (Params{0, 0, 300, 0, 360, 0, 0, 0}));
    EXPECT_EQ(shape(1).kind, kDisc);
    EXPECT_EQ(param(1, 0), (Params{50, 100, 0, 50, 100, 0, 4, 3}));
    EXPECT_EQ(param(1, 1)[7], 1);  // faces -Z

    db::resetModelRecords(model);
    ASSERT_EQ(make(PrimKind::Corn1, {100, 200, 300}, {0, 0, 0}, 3), Boxes{});
    EXPECT_EQ(param(0, 0), (Params{50, 100, 0, 0, 0, 0, 4, 3}));
    EXPECT_EQ(param(0, 1), (Params{50, 100, 300, 0, 360, 0, 0, 0}));
    ASSERT_EQ(model.shapeCount, 2);
    EXPECT_EQ(param(1, 0), (Params{50, 100, 300, 50, 100, 0, 4, 3}));  // the top cap
    EXPECT_EQ(param(1, 1)[7], 0);                                      // faces +Z
}

TEST_F(PrimitiveTest, QuarterConeSweepsTheQuadrantTowardE) {
    ASSERT_EQ(make(PrimKind::Corn4, {0, 0, 0}, {100, -100, 50}, 3), Boxes{});
    EXPECT_EQ(param(0, 0), (Params{0, 0, 0, 100, 100, 0, 4, 3}));  // axis through s
    EXPECT_FLOAT_EQ(param(0, 1)[3], 270);
    EXPECT_FLOAT_EQ(param(0, 1)[4], 360);
    // The cut faces span the axis and the rim at each end of the sweep.
    const Params start = param(1, 1);
    EXPECT_THAT((Vec3{start[0], start[1], start[2]}), IsPoint(0, -100, 0));
    const Params end = param(2, 0);
    EXPECT_THAT((Vec3{end[0], end[1], end[2]}), IsPoint(100, 0, 0));
}

TEST_F(PrimitiveTest, UndoAfterATubeRemovesAllOfIt) {
    ASSERT_EQ(make(PrimKind::Box2, {0, 0, 0}, {1, 1, 1}, 3), Boxes{});
    const Counts before = counts();
    ASSERT_EQ(make(PrimKind::Torus1, {0, 0, 0}, {100, 100, 100}, 2), Boxes{});
    EXPECT_EQ(model.shapeCount, before.shape + 4);
    EXPECT_EQ(run("undo.primitive;"), Boxes{});
    EXPECT_EQ(counts(), before);
    EXPECT_EQ(sink.statuses(), std::vector<std::string>{std::string(gmsg::kPrimitiveUndone)});
}

TEST_F(PrimitiveTest, UndoNeverRaisesCounts) {
    // Nothing made yet: nothing to undo.
    ASSERT_EQ(make(PrimKind::Box2, {0, 0, 0}, {1, 1, 1}, 3), Boxes{});
    db::resetModelRecords(model);
    const Counts empty = counts();
    EXPECT_EQ(run("undo.primitive;"), Boxes{});
    EXPECT_EQ(counts(), empty);
    // A model that shrank below the point keeps its counts.
    ASSERT_EQ(make(PrimKind::Box2, {0, 0, 0}, {1, 1, 1}, 3), Boxes{});
    ASSERT_EQ(make(PrimKind::Box2, {0, 0, 0}, {1, 1, 1}, 3), Boxes{});
    model.shapeCount = 0;
    model.axisCount = 0;
    EXPECT_EQ(run("undo.primitive;"), Boxes{});
    EXPECT_EQ(model.shapeCount, 0);
    EXPECT_EQ(model.axisCount, 0);
    EXPECT_EQ(model.blockCount, 2);
    EXPECT_EQ(run("undo.primitive 1;"), (Boxes{err(smsg::kTooManyParams), kRunFailed}));
}

TEST_F(PrimitiveTest, SecondTubeVariantBelowSHasItsRingOnTheSSideFacingUp) {
    ASSERT_EQ(make(PrimKind::T2Torus1, {0, 0, 100}, {100, 100, 0}, 3), Boxes{});
    ASSERT_EQ(model.shapeCount, 3);
    EXPECT_EQ(shape(0).lrflag, 1);
    EXPECT_EQ(shape(1).lrflag, 0);
    // Both walls start on the s side and run down to the outer top rim.
    EXPECT_EQ(param(0, 0), (Params{50, 50, 100, 50, 50, 0, 4, 3}));
    EXPECT_EQ(param(0, 1)[2], -100);
    EXPECT_EQ(param(1, 0), (Params{50, 50, 100, 25, 25, 0, 4, 3}));
    EXPECT_EQ(param(1, 1), (Params{50, 50, -100, 0, 360, 0, 0, 0}));
    EXPECT_EQ(shape(2).kind, kRing);
    EXPECT_EQ(param(2, 0), (Params{50, 50, 100, 50, 50, 0, 4, 3}));
    EXPECT_EQ(param(2, 1), (Params{0, 0, 0, 0, 360, 0, 0.5f, 0}));
}

TEST_F(PrimitiveTest, QuarterTubeVariantCutFacesAreTrianglesInTheTableOrder) {
    // T1, e ahead of s (flag 0), quadrant 0-90 about Z: start face IB, IT, OB, OB.
    ASSERT_EQ(make(PrimKind::T1Torus4, {0, 0, 0}, {100, 100, 100}, 3), Boxes{});
    ASSERT_EQ(shape(2).kind, kQuad);
    EXPECT_EQ(param(2, 0), (Params{50, 0, 0, 50, 0, 100, 0, 0}));
    EXPECT_EQ(param(2, 1), (Params{100, 0, 0, 100, 0, 0, 0, 0}));
    // End face OB, OB, IB, IT at 90 degrees.
    EXPECT_THAT((Vec3{param(3, 0)[0], param(3, 0)[1], param(3, 0)[2]}), IsPoint(0, 100, 0));
    EXPECT_THAT((Vec3{param(3, 1)[3], param(3, 1)[4], param(3, 1)[5]}), IsPoint(0, 50, 100));
}

TEST_F(PrimitiveTest, QuarterBallWorkedExample) {
    ASSERT_EQ(make(PrimKind::Ball4, {0, 0, 0}, {100, 100, 100}, 3), Boxes{});
    ASSERT_EQ(model.shapeCount, 3);
    EXPECT_EQ(param(0, 0), (Params{0, 0, 50, 100, 100, 50, 4, 0}));
    EXPECT_EQ(param(0, 1), (Params{90, 180, 0, 90, 270, 0, 0, 0}));
    // About X, sweep -90..90, facing -X; about Y, sweep 90..270, facing -Y.
    EXPECT_EQ(param(1, 0), (Params{0, 0, 50, 100, 100, 50, 4, 1}));
    EXPECT_EQ(param(1, 1), (Params{0, 0, 0, -90, 90, 0, 0, 1}));
    EXPECT_EQ(param(2, 0), (Params{0, 0, 50, 100, 100, 50, 4, 2}));
    EXPECT_EQ(param(2, 1), (Params{0, 0, 0, 90, 270, 0, 0, 1}));
}

TEST_F(PrimitiveTest, EighthBallFollowsTheOctantTowardE) {
    ASSERT_EQ(make(PrimKind::Ball8, {0, 0, 0}, {-10, 20, -30}, 3), Boxes{});
    EXPECT_EQ(param(0, 0), (Params{0, 0, 0, 10, 20, 30, 4, 0}));
    EXPECT_EQ(param(0, 1), (Params{90, 180, 0, 270, 360, 0, 0, 0}));
    // Discs about X, Y, Z: facing only where e lies strictly beyond s.
    EXPECT_EQ(param(1, 1)[7], 0);
    EXPECT_EQ(param(2, 1)[7], 1);
    EXPECT_EQ(param(3, 1)[7], 0);
    // The quadrants toward e: about X (+y, -z), about Y (-x, -z), about Z (-x, +y).
    EXPECT_FLOAT_EQ(param(1, 1)[3], 270);
    EXPECT_FLOAT_EQ(param(2, 1)[3], 270);
    EXPECT_FLOAT_EQ(param(3, 1)[3], 90);
}

// ---- Commands and their arguments --------------------------------------------------------

TEST_F(PrimitiveTest, NamedCommandsTakeTheirOwnKindWithOmittedNumbersZero) {
    struct Case {
        const char* text;
        std::uint8_t firstKind;
        int shapes;
    };
    const std::vector<Case> cases = {
        {"boxgen2 box.s, box.e;", kBox, 1},
        {"boxgen3 box.s, box.e, 12;", kQuad, 6},
        {"corngen1 box.s, box.e, div, X.DIR;", kRevolve, 2},
        {"cylngen1 box.s, box.e, 8, 2, 1;", kRevolve, 1},
        {"corngen4 box.s, box.e, 8, 3;", kRevolve, 4},
        {"cylngen4 box.s, box.e, 8, 1;", kRevolve, 5},
        {"ballgen1 box.s, box.e, 8;", kBall, 1},
        {"ballgen8 box.s, box.e, 8;", kBall, 4},
    };
    db::vectorVar(in, db::SysVar::BoxE) = {100, 100, 100};
    for (const Case& c : cases) {
        db::resetModelRecords(model);
        ASSERT_EQ(run(c.text), Boxes{}) << c.text;
        ASSERT_EQ(model.shapeCount, c.shapes) << c.text;
        EXPECT_EQ(shape(0).kind, c.firstKind) << c.text;
        EXPECT_EQ(shape(0).layer, 1) << c.text;
    }
}

TEST_F(PrimitiveTest, GuideCursorUsesTheGuideLayerAndTakesAFlatBox) {
    db::scalarVar(in, db::SysVar::BCursorCode) = static_cast<float>(PrimKind::Cyl1);
    db::vectorVar(in, db::SysVar::BoxE) = {100, 0, 100};
    ASSERT_EQ(run("set.b.cursor box.s, box.e, 6, Y.DIR;"), Boxes{});
    ASSERT_EQ(model.shapeCount, 3);
    EXPECT_EQ(model.blocks[1].layer, 10);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(shape(i).layer, 10);
}

TEST_F(PrimitiveTest, ANewBlockDoesNotInheritAnOldBlockTransform) {
    model.blocks[1].trans = {5, 5, 5};
    model.blocks[1].matrix[12] = 7;
    model.blocks[1].rlinkId = 3;
    ASSERT_EQ(make(PrimKind::Box2, {0, 0, 0}, {1, 1, 1}, 3), Boxes{});
    EXPECT_EQ(model.blocks[1].trans, (Vec3{0, 0, 0}));
    EXPECT_EQ(model.blocks[1].matrix, kIdentity);
    EXPECT_EQ(model.blocks[1].rlinkId, -1);
}

TEST_F(PrimitiveTest, BadInputIsRefusedWithNothingMade) {
    struct Case {
        const char* text;
        std::string_view message;
    };
    const std::vector<Case> cases = {
        {"set.primitive 1, box.e, 1, 8, 3, 0;", smsg::kBadVariableType},
        {"set.primitive box.s, div, 1, 8, 3, 0;", smsg::kBadVariableType},
        {"set.primitive box.s box.e, 1, 8, 3, 0;", smsg::kBadSeparator},
        {"set.primitive box.s, box.e, 1, 8, 3;", smsg::kBadSeparator},
        {"set.primitive box.s, box.e, 1, 8, 3, 0, 1;", smsg::kTooManyParams},
        {"set.primitive box.s, box.e, 1, 8 3, 0;", smsg::kBadSeparator},
        {"set.primitive box.s, box.e, 1, \"8\", 3, 0;", smsg::kBadParam},
        {"boxgen2 box.s, box.e, 3, 4;", smsg::kTooManyParams},
        {"ballgen1 box.s, box.e, 8, 1, 0, 0;", smsg::kTooManyParams},
        {"bcurgen box.s;", smsg::kBadSeparator},
        // A curved kind needs divisions, a revolved one an axis.
        {"corngen1 box.s, box.e;", smsg::kValueNotCorrect},
        {"corngen1 box.s, box.e, 8;", smsg::kValueNotCorrect},
        {"cylngen4 box.s, box.e, 8, 4;", smsg::kValueNotCorrect},
        {"ballgen8 box.s, box.e, 0.5;", smsg::kValueNotCorrect},
    };
    db::vectorVar(in, db::SysVar::BoxE) = {100, 100, 100};
    const Counts before = counts();
    for (const Case& c : cases) {
        EXPECT_EQ(run(std::string(c.text) + " boxgen2 box.s, box.e;"),
                  (Boxes{err(c.message), kRunFailed}))
            << c.text;
        EXPECT_EQ(counts(), before) << c.text;
    }
}

TEST_F(PrimitiveTest, CursorCodeOutsideTheKindsIsRefused) {
    db::vectorVar(in, db::SysVar::BoxE) = {100, 100, 100};
    const Counts before = counts();
    for (const char* code : {"16", "-1", "99"}) {
        run(std::string("b.cursor.code = ") + code + ";");
        EXPECT_EQ(run("set.primitive box.s, box.e, 1, 8, 3, 0;"),
                  (Boxes{err(smsg::kValueNotCorrect), kRunFailed}))
            << code;
        EXPECT_EQ(counts(), before) << code;
    }
}

// ---- Full stores ---------------------------------------------------------------------------

TEST_F(PrimitiveTest, AFullShapeStoreAddsNoShapeButStillUsesTheBlockNumber) {
    model.shapeCount = 37;  // room for two more shapes, not three
    const Counts before = counts();
    ASSERT_EQ(make(PrimKind::Cyl1, {0, 0, 0}, {10, 10, 10}, 3), Boxes{err(gmsg::kShapeFull)});
    EXPECT_EQ(counts(),
              (Counts{before.axis, before.patch, before.shape, before.block + 1, before.affine}));
    EXPECT_THAT(model.blocks[before.block].xyzmin, IsPoint(1e16, 1e16, 1e16));
    ASSERT_EQ(make(PrimKind::Box2, {0, 0, 0}, {10, 10, 10}, 3), Boxes{});
    EXPECT_EQ(model.shapeCount, 38);
}

TEST_F(PrimitiveTest, AShapeWhoseBoxCannotBeExpandedTakesTheWholePrimitiveBack) {
    const Counts before = counts();
    // 31 x 31 vertices do not fit in the 200 usable axes.
    ASSERT_EQ(make(PrimKind::Ball8, {0, 0, 0}, {10, 10, 10}, 3, 0, 0.5f, 30),
              Boxes{err(gmsg::kAxisFull)});
    EXPECT_EQ(model.shapeCount, before.shape);
    EXPECT_EQ(model.axisCount, before.axis);
    EXPECT_EQ(model.affineCount, before.affine);
    EXPECT_EQ(model.patchCount, before.patch);
}

TEST_F(PrimitiveTest, AFullBlockStoreMakesNothing) {
    model.blockCount = 8;
    const Counts before = counts();
    EXPECT_EQ(make(PrimKind::Box2, {0, 0, 0}, {1, 1, 1}, 3),
              Boxes{err("ＥＲＲＯＲ！　パーツブロックは 8 個までしか登録出来ません。 \n")});
    EXPECT_EQ(counts(), before);
}

// ---- The box-cursor marker -----------------------------------------------------------------

TEST_F(PrimitiveTest, MarkerIsTheBoxAndAConeAlongDirecAndLeavesNothingBehind) {
    const Counts before = counts();
    {
        const geometry::CursorMarker marker(model, msg, {0, 0, 0}, {80, 40, 100}, 2);
        ASSERT_EQ(marker.status(), script::kOk);
        ASSERT_EQ(marker.box().vertices.size(), 10u);
        EXPECT_THAT(marker.box().vertices[5].wv, IsPoint(80, 40, 100));
        ASSERT_EQ(marker.cone().nu, 2);
        ASSERT_EQ(marker.cone().nv, geometry::CursorMarker::kConeDivisions + 1);
        // Rim around the edge through s along Y, apex at the e side.
        EXPECT_THAT(marker.cone().vertices[0].wv, IsPoint(-5, 0, 0));
        EXPECT_THAT(marker.cone().vertices[1].wv, IsPoint(0, 40, 0));
    }
    EXPECT_EQ(counts(), before);
    EXPECT_EQ(run("direc = 3; bcurgen box.s, box.e; bcurreg box.s, box.e, 2;"), Boxes{});
    EXPECT_EQ(counts(), before);
    // No room: reported once, nothing to draw, and the statements go on.
    model.axisCount = 198;
    EXPECT_EQ(run("bcurgen box.s, box.e; direc = 2;"), Boxes{err(gmsg::kAxisFull)});
    EXPECT_EQ(model.axisCount, 198);
    EXPECT_EQ(db::scalarVar(in, db::SysVar::Direc), 2);
}

}  // namespace
}  // namespace rz::test
