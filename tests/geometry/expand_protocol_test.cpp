// The consumer protocol around expansion: counts restored, full stores refused with their
// messages and nothing written, coarse divisions, and the baked grid form.
#include <gtest/gtest.h>

#include "db/capacity.hpp"
#include "geometry/expand_shape.hpp"
#include "geometry/expanded_shape.hpp"
#include "geometry/geometry_messages.hpp"
#include "math/matrix_math.hpp"
#include "model_fixture.hpp"

namespace rz::test {
namespace {

using geometry::ExpandedShape;
using geometry::ExpandMode;

class ProtocolTest : public ModelTest {
  protected:
    struct Kind {
        const char* name;
        std::uint8_t kind;
        Params a, b;
        int nu, nv;  // full-detail grid
    };
    // One shape of every parametric kind, with a grid size worked out by hand.
    const std::vector<Kind> kinds = {
        {"ball", db::kShapeBall, {0, 0, 0, 1, 1, 1, 6, 0}, {0, 180, 0, 0, 360}, 7, 7},
        {"revolve", db::kShapeRevolve, {0, 0, 0, 1, 1, 0, 6, 3}, {1, 1, 2, 0, 360}, 2, 7},
        {"box", db::kShapeBox, {0, 0, 0, 1, 1, 1, 0, 0}, {}, 2, 5},
        {"disc", db::kShapeDisc, {0, 0, 0, 1, 1, 1, 6, 1}, {0, 0, 0, 0, 90}, 2, 7},
        {"quad", db::kShapeQuad, {0, 0, 0, 1, 0, 0, 0, 0}, {0, 1, 0, 1, 1, 0}, 2, 2},
        {"ring", db::kShapeRing, {0, 0, 0, 1, 1, 1, 6, 2}, {0, 0, 0, 0, 360, 0, 0.5f}, 2, 7},
        {"grid plane", db::kShapeGridPlane, {0, 0, 0, 1, 0, 0, 6, 0}, {0, 1, 0, 1, 1, 0}, 7, 7},
    };
};

TEST_F(ProtocolTest, ConsumersSeeTheGridAndLeaveTheCountsAsTheyWere) {
    for (const Kind& k : kinds) {
        SCOPED_TRACE(k.name);
        const int shape = addParametric(k.kind, k.a, k.b);
        const int axes = model.axisCount;
        const int patches = model.patchCount;
        const int shapes = model.shapeCount;
        {
            const ExpandedShape e(model, msg, shape);
            ASSERT_EQ(e.status(), script::kOk);
            EXPECT_EQ(e.grid().nu, k.nu);
            EXPECT_EQ(e.grid().nv, k.nv);
            EXPECT_EQ(e.grid().vertices.size(), static_cast<std::size_t>(k.nu * k.nv));
            EXPECT_EQ(e.grid().vertices.data(), &model.axes[axes]);
            EXPECT_EQ(model.shapes[shapes].layer, 1);
        }
        EXPECT_EQ(model.axisCount, axes);
        EXPECT_EQ(model.patchCount, patches);
        EXPECT_EQ(model.shapeCount, shapes);
    }
    EXPECT_TRUE(boxes().empty());
}

TEST_F(ProtocolTest, ExplicitShapesAreUsedFromTheirOwnRecords) {
    const int grid = addGrid(2, 2, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}}, {0, 0, 1});
    const int shapes = model.shapeCount;
    EXPECT_EQ(geometry::expandShape(model, msg, grid, ExpandMode::Grid), script::kOk);
    EXPECT_EQ(model.shapeCount, shapes);
    const ExpandedShape e(model, msg, grid);
    EXPECT_EQ(e.grid().nu, 2);
    EXPECT_EQ(e.grid().vertices.data(), &model.axes[model.shapes[grid].axisId]);
}

struct FullCase {
    const char* what;
    int shapeRoom, patchRoom, axisRoom;  // free records below each limit
    std::string_view message;
};

TEST_F(ProtocolTest, AFullStoreRefusesTheExpansionWithItsMessageAndWritesNothing) {
    // A ball of div 6 needs 49 axes, 3 patch entries and one shape; a store is full when
    // count + needed reaches its limit. The shape store is checked first, the axes last.
    const std::vector<FullCase> cases = {
        {"shapes", 1, 100, 100, geometry::msg::kShapeFull},
        {"patches", 1 + 1, 3, 0, geometry::msg::kPatchFull},
        {"axes", 2, 4, 49, geometry::msg::kAxisFull},
        {"one more axis", 2, 4, 50, {}},
    };
    const Kind& ball = kinds[0];
    for (const FullCase& c : cases) {
        SCOPED_TRACE(c.what);
        allocate(smallCapacities());
        model.axisCount = model.patchCount = model.shapeCount = 0;
        model.affineCount = 1;
        const int shape = addParametric(ball.kind, ball.a, ball.b);
        model.shapeCount = model.capacity.shapemax - c.shapeRoom;
        model.shapes[model.shapeCount - 1] = model.shapes[shape];
        model.patchCount = model.capacity.patchmax - c.patchRoom;
        model.axisCount = static_cast<int>(db::usableAxisLimit(model)) - c.axisRoom;
        const std::vector<db::Axis> before(model.axes.begin() + model.axisCount, model.axes.end());
        const int axes = model.axisCount;
        const int patches = model.patchCount;
        const int shapes = model.shapeCount;
        sink.clear();
        const script::Result status =
            geometry::expandShape(model, msg, model.shapeCount - 1, ExpandMode::Grid);
        if (c.message.empty()) {
            EXPECT_EQ(status, script::kOk);
            EXPECT_EQ(model.axisCount, axes + 49);
            continue;
        }
        EXPECT_EQ(status, script::kFail);
        EXPECT_EQ(boxes(), std::vector<std::string>{err(c.message)});
        EXPECT_EQ(model.axisCount, axes);
        EXPECT_EQ(model.patchCount, patches);
        EXPECT_EQ(model.shapeCount, shapes);
        for (std::size_t i = 0; i < before.size(); ++i)
            ASSERT_EQ(model.axes[axes + i].wv, before[i].wv) << "axis written at " << axes + i;
    }
}

TEST_F(ProtocolTest, CapacityChecksReportTheFirstFullStoreInTheirOrder) {
    model.shapeCount = 49;
    model.patchCount = 2999;
    model.axisCount = 2999;
    model.affineCount = 39;
    EXPECT_EQ(db::checkModelSpace(model, msg, 1, 1, 1), script::kFail);
    EXPECT_EQ(db::checkShapeSpace(model, msg, 1, 1, 1), script::kFail);
    model.shapeCount = 0;
    EXPECT_EQ(db::checkModelSpace(model, msg, 1, 1, 1), script::kFail);
    EXPECT_EQ(db::checkShapeSpace(model, msg, 1, 1, 1), script::kFail);
    model.patchCount = model.affineCount = 0;
    EXPECT_EQ(db::checkModelSpace(model, msg, 1, 1, 1), script::kFail);
    EXPECT_EQ(db::checkShapeSpace(model, msg, 1, 1, 1), script::kFail);
    model.axisCount = 2998;
    EXPECT_EQ(db::checkModelSpace(model, msg, 1, 1, 1), script::kOk);
    EXPECT_EQ(db::checkShapeSpace(model, msg, 1, 1, 1), script::kOk);
    using namespace geometry::msg;
    EXPECT_EQ(boxes(),
              (std::vector<std::string>{err(kShapeFull), err(kShapeFull), err(kPatchFull),
                                        err(kAffineFull), err(kAxisFull), err(kAxisFull)}));
}

TEST_F(ProtocolTest, CoarseExpansionUsesFewerDivisions) {
    struct Case {
        const char* what;
        std::uint8_t kind;
        Params a, b;
        int axes;
    };
    const std::vector<Case> cases = {
        {"full ball: 4", db::kShapeBall, {0, 0, 0, 1, 1, 1, 12, 0}, {0, 180, 0, 0, 360}, 25},
        {"partial ball: 2", db::kShapeBall, {0, 0, 0, 1, 1, 1, 12, 0}, {0, 180, 0, 0, 180}, 9},
        {"sweep not from 0: 2",
         db::kShapeRevolve,
         {0, 0, 0, 1, 1, 0, 12, 3},
         {1, 1, 1, -180, 180},
         6},
        {"own div below: 3", db::kShapeDisc, {0, 0, 0, 1, 1, 1, 3, 3}, {0, 0, 0, 0, 360}, 8},
        {"grid plane: 2", db::kShapeGridPlane, {0, 0, 0, 1, 0, 0, 12, 0}, {0, 1, 0, 1, 1}, 9},
        {"box unchanged", db::kShapeBox, {0, 0, 0, 1, 1, 1, 0, 0}, {}, 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const int shape = addParametric(c.kind, c.a, c.b);
        model.shapes[shape].layer = 7;
        const ExpandedShape e(model, msg, shape, ExpandedShape::Detail::Coarse);
        EXPECT_EQ(e.grid().vertices.size(), static_cast<std::size_t>(c.axes));
        EXPECT_EQ(model.shapes[model.shapeCount - 1].layer, 7);  // no post-processing
    }
}

TEST_F(ProtocolTest, BakedGridAppliesTheShapeMatrixThenTheCurrentOne) {
    // Quad corners (1,0,0) ...; shape matrix: move by (10, 0, 0); current: rotate 90 about Z.
    const int shape = addParametric(db::kShapeQuad, {1, 0, 0, 2, 0, 0, 0, 0}, {1, 1, 0, 2, 1, 0});
    model.affines[5] = translation({10, 0, 0});
    model.affineCount = 6;
    model.shapes[shape].matrixId = 5;
    model.geometry.current = rotation(RotationAxis::Z, 90);
    ASSERT_EQ(geometry::expandShape(model, msg, shape, ExpandMode::BakedGrid), script::kOk);
    const db::Shape& g = model.shapes[model.shapeCount - 1];
    // (x, y) -> (x + 10, y) -> (-y, x + 10).
    EXPECT_THAT(axis(g.axisId).wv, IsPoint(0, 11, 0));
    EXPECT_THAT(axis(g.axisId + 3).wv, IsPoint(-1, 12, 0));
    EXPECT_THAT(axis(g.axisId).nv, IsPoint(0, 0, 1));
    EXPECT_EQ(g.layer, 1);
    EXPECT_EQ(g.matrixId, 6);
    EXPECT_EQ(model.affineCount, 7);
    EXPECT_EQ(model.affines[6], kIdentity);
    EXPECT_THAT(g.bbmin, IsPoint(-1, 11, 0));
    EXPECT_THAT(g.bbmax, IsPoint(0, 12, 0));
}

TEST_F(ProtocolTest, BakedGridIsRefusedBeforeAnythingIsAppendedWhenNoMatrixSlotIsLeft) {
    const int shape = addParametric(db::kShapeBox, {0, 0, 0, 1, 1, 1, 0, 0});
    model.affineCount = model.capacity.affinemax;
    const int axes = model.axisCount;
    EXPECT_EQ(geometry::expandShape(model, msg, shape, ExpandMode::BakedGrid), script::kFail);
    EXPECT_EQ(boxes(), std::vector<std::string>{err(geometry::msg::kAffineFull)});
    EXPECT_EQ(model.axisCount, axes);
    EXPECT_EQ(model.shapeCount, shape + 1);
}

}  // namespace
}  // namespace rz::test
