// The matrix stack, the composite operations built on it, the affine store's permanent
// identity and the placement order of a shape.
#include <gtest/gtest.h>

#include "geometry/affine_slots.hpp"
#include "geometry/block_transform.hpp"
#include "geometry/geometry_messages.hpp"
#include "geometry/matrix_stack.hpp"
#include "model_fixture.hpp"

namespace rz::test {
namespace {

using rz::RotationAxis;

class MatrixTest : public ModelTest {
  protected:
    db::GeometryState& g = model.geometry;
    Vec3 through(const Vec3& p) { return geometry::transformByCurrent(g, p); }
};

TEST_F(MatrixTest, RotationsTurnTheNextAxisTowardTheOneAfter) {
    struct Case {
        RotationAxis axis;
        Vec3 from, to;
    };
    const std::vector<Case> cases = {
        {RotationAxis::X, {0, 1, 0}, {0, 0, 1}},
        {RotationAxis::Y, {0, 0, 1}, {1, 0, 0}},
        {RotationAxis::Z, {1, 0, 0}, {0, 1, 0}},
    };
    for (const Case& c : cases) {
        g.current = kIdentity;
        ASSERT_EQ(geometry::rotateAbout(g, msg, c.axis, 90), script::kOk);
        EXPECT_THAT(through(c.from), IsPoint(c.to[0], c.to[1], c.to[2]));
    }
}

TEST_F(MatrixTest, FactorsApplyInTheOrderTheyWereAdded) {
    // Rotate first, then move: (1,0,0) -> (0,1,0) -> (10,1,0).
    ASSERT_EQ(geometry::rotateAbout(g, msg, RotationAxis::Z, 90), script::kOk);
    ASSERT_EQ(geometry::translateAppend(g, msg, {10, 0, 0}), script::kOk);
    EXPECT_THAT(through({1, 0, 0}), IsPoint(10, 1, 0));
    // Move first, then rotate: (1,0,0) -> (11,0,0) -> (0,11,0).
    g.current = kIdentity;
    ASSERT_EQ(geometry::translateAppend(g, msg, {10, 0, 0}), script::kOk);
    ASSERT_EQ(geometry::rotateAbout(g, msg, RotationAxis::Z, 90), script::kOk);
    EXPECT_THAT(through({1, 0, 0}), IsPoint(0, 11, 0));
}

TEST_F(MatrixTest, RotationAndScaleWorkAboutTheCentre) {
    g.center = {5, 0, 0};
    ASSERT_EQ(geometry::rotateAbout(g, msg, RotationAxis::Y, 180), script::kOk);
    EXPECT_THAT(through({5, 0, 0}), IsPoint(5, 0, 0));
    EXPECT_THAT(through({6, 0, 0}), IsPoint(4, 0, 0));
    g.current = kIdentity;
    g.center = {1, 1, 1};
    ASSERT_EQ(geometry::scaleAbout(g, msg, {2, -1, 3}), script::kOk);
    EXPECT_THAT(through({2, 2, 2}), IsPoint(3, 0, 4));
    EXPECT_EQ(g.mirrorCount, 1);
    ASSERT_EQ(geometry::scaleAbout(g, msg, {-1, -1, 1}), script::kOk);
    EXPECT_EQ(g.mirrorCount, 2);
}

TEST_F(MatrixTest, PopMultipliesTheSavedMatrixInFront) {
    g.current = translation({1, 2, 3});
    ASSERT_EQ(geometry::pushMatrix(g, msg), script::kOk);
    g.current = scaling({2, 2, 2});
    ASSERT_EQ(geometry::popMatrix(g, msg), script::kOk);
    // Saved first (move), then the new one (scale): (0,0,0) -> (1,2,3) -> (2,4,6).
    EXPECT_THAT(through({0, 0, 0}), IsPoint(2, 4, 6));
    ASSERT_EQ(geometry::pushMatrix(g, msg), script::kOk);
    g.current = translation({1, 0, 0});
    ASSERT_EQ(geometry::popMatrixAfter(g, msg), script::kOk);
    // New one first this time: (0,0,0) -> (1,0,0) -> (4,4,6).
    EXPECT_THAT(through({0, 0, 0}), IsPoint(4, 4, 6));
    EXPECT_EQ(g.depth, 0);
}

TEST_F(MatrixTest, TheStackHoldsOneHundredAndOneMatrices) {
    for (int i = 0; i < db::kMatrixStackDepth; ++i)
        ASSERT_EQ(geometry::pushMatrix(g, msg), script::kOk);
    EXPECT_TRUE(boxes().empty());
    g.current = translation({7, 0, 0});
    const Mat4 before = g.current;
    EXPECT_EQ(geometry::pushMatrix(g, msg), script::kFail);
    // Composite operations need stack room too; refused, they change nothing.
    EXPECT_EQ(geometry::translateAppend(g, msg, {1, 1, 1}), script::kFail);
    EXPECT_EQ(geometry::rotateAbout(g, msg, RotationAxis::X, 30), script::kFail);
    EXPECT_EQ(g.current, before);
    EXPECT_EQ(g.depth, db::kMatrixStackDepth);
    for (int i = 0; i < db::kMatrixStackDepth; ++i)
        ASSERT_EQ(geometry::popMatrix(g, msg), script::kOk);
    EXPECT_EQ(geometry::popMatrix(g, msg), script::kFail);
    EXPECT_EQ(geometry::popMatrixAfter(g, msg), script::kFail);
    using namespace geometry::msg;
    EXPECT_EQ(boxes(), (std::vector<std::string>{err(kStackOverflow), err(kStackOverflow),
                                                 err(kStackOverflow), err(kStackUnderflow),
                                                 err(kStackUnderflow)}));
}

TEST_F(MatrixTest, RotationNeedsTwoFreeLevels) {
    for (int i = 0; i < db::kMatrixStackDepth - 1; ++i)
        ASSERT_EQ(geometry::pushMatrix(g, msg), script::kOk);
    EXPECT_EQ(geometry::translateAppend(g, msg, {1, 0, 0}), script::kOk);
    EXPECT_EQ(geometry::rotateAbout(g, msg, RotationAxis::X, 30), script::kFail);
}

TEST_F(MatrixTest, TemporaryRotationIsUndoneByItsEnd) {
    g.current = translation({3, 0, 0});
    const Mat4 saved = g.current;
    g.center = {9, 9, 9};
    ASSERT_EQ(geometry::beginTemporaryRotation(g, msg, {1, 0, 0}, RotationAxis::Z, 90),
              script::kOk);
    // Only the rotation, about (1,0,0): (2,0,0) -> (1,1,0).
    EXPECT_THAT(through({2, 0, 0}), IsPoint(1, 1, 0));
    EXPECT_THAT(g.center, IsPoint(1, 0, 0));
    ASSERT_EQ(geometry::endTemporaryRotation(g, msg), script::kOk);
    EXPECT_EQ(g.current, saved);
    EXPECT_THAT(g.center, IsPoint(9, 9, 9));
    EXPECT_EQ(g.depth, 0);
}

TEST_F(MatrixTest, SlotZeroIsNeverWritten) {
    g.current = translation({1, 2, 3});
    EXPECT_EQ(geometry::storeAffineSlot(model, msg, 0), script::kFail);
    EXPECT_EQ(geometry::resetAffineSlot(model, msg, 0), script::kFail);
    EXPECT_EQ(model.affines[0], kIdentity);
    model.affineCount = 0;
    int slot = 0;
    ASSERT_EQ(geometry::newAffineSlot(model, msg, slot), script::kOk);
    EXPECT_EQ(slot, 1);
    EXPECT_EQ(model.affines[0], kIdentity);
    // Reading slot 0 gives the identity whatever the store holds.
    model.affines[0] = g.current;
    Mat4 m;
    ASSERT_TRUE(geometry::affineMatrix(model, msg, 0, m));
    EXPECT_EQ(m, kIdentity);
}

TEST_F(MatrixTest, SlotsBeyondTheStoreAreRefused) {
    const int beyond = model.capacity.affinemax;
    EXPECT_EQ(geometry::storeAffineSlot(model, msg, beyond), script::kFail);
    EXPECT_EQ(geometry::loadAffineSlot(model, msg, beyond), script::kFail);
    model.affineCount = beyond;
    int slot = -1;
    EXPECT_EQ(geometry::newAffineSlot(model, msg, slot), script::kFail);
    EXPECT_EQ(slot, -1);
    EXPECT_EQ(boxes(), std::vector<std::string>(3, err(geometry::msg::kAffineFull)));
    g.current = translation({4, 0, 0});
    ASSERT_EQ(geometry::storeAffineSlot(model, msg, 3), script::kOk);
    g.current = kIdentity;
    ASSERT_EQ(geometry::loadAffineSlot(model, msg, 3), script::kOk);
    EXPECT_THAT(through({0, 0, 0}), IsPoint(4, 0, 0));
}

TEST_F(MatrixTest, PlacementTakesShapeMatrixThenCurrentThenBlock) {
    // Shape matrix: scale x by 2. Current: move by (0, 5, 0). Block 1: rotate 90 about Z
    // around its centre (1, 0, 0), then displace by (0, 0, 7).
    const int shape = addGrid(1, 1, {{1, 0, 0}}, {0, 0, 1});
    model.blockCount = 2;
    model.affines[2] = scaling({2, 1, 1});
    model.affineCount = 3;
    model.shapes[shape].matrixId = 2;
    model.blocks[1].matrix = rotation(RotationAxis::Z, 90);
    model.blocks[1].center = {1, 0, 0};
    model.blocks[1].trans = {0, 0, 7};
    g.current = translation({0, 5, 0});
    const Mat4 before = g.current;
    ASSERT_EQ(geometry::beginShapePlacement(model, msg, shape), script::kOk);
    // (1,0,0) -> (2,0,0) -> (2,5,0) -> about (1,0,0): (1,5,0) turned -> (-5,1,0) + (1,0,0)
    // = (-4,1,0) -> (-4,1,7).
    EXPECT_THAT(through({1, 0, 0}), IsPoint(-4, 1, 7));
    EXPECT_THAT(g.center, IsPoint(1, 0, 0));
    ASSERT_EQ(geometry::endShapePlacement(model, msg), script::kOk);
    EXPECT_EQ(g.current, before);
    EXPECT_EQ(g.depth, 0);
}

TEST_F(MatrixTest, PlacementNeedsTwoFreeLevelsWithOrWithoutAShapeMatrix) {
    // push; [push, load, pop-after;] push; identity; block transform; pop: two levels deep
    // at most, whether or not the shape has a matrix of its own.
    const int plain = addGrid(1, 1, {{0, 0, 0}}, {0, 0, 1});
    const int owned = addGrid(1, 1, {{0, 0, 0}}, {0, 0, 1});
    model.blockCount = 2;
    model.affines[1] = translation({0, 1, 0});
    model.affineCount = 2;
    model.shapes[owned].matrixId = 1;
    for (const int shape : {plain, owned}) {
        SCOPED_TRACE(shape);
        g = db::GeometryState{};
        for (int i = 0; i < db::kMatrixStackDepth - 1; ++i)
            ASSERT_EQ(geometry::pushMatrix(g, msg), script::kOk);
        g.current = translation({3, 0, 0});
        const Mat4 before = g.current;
        sink.clear();
        EXPECT_EQ(geometry::beginShapePlacement(model, msg, shape), script::kFail);
        EXPECT_EQ(boxes(), std::vector<std::string>{err(geometry::msg::kStackOverflow)});
        EXPECT_EQ(g.depth, db::kMatrixStackDepth - 1);
        EXPECT_EQ(g.current, before);
        ASSERT_EQ(geometry::popMatrix(g, msg), script::kOk);
        EXPECT_EQ(geometry::beginShapePlacement(model, msg, shape), script::kOk);
        EXPECT_EQ(g.depth, db::kMatrixStackDepth - 1);
        EXPECT_EQ(geometry::endShapePlacement(model, msg), script::kOk);
        EXPECT_EQ(g.depth, db::kMatrixStackDepth - 2);
    }
}

TEST_F(MatrixTest, BlockMatricesMoveBetweenBlockAndCurrent) {
    model.blockCount = 3;
    g.current = translation({1, 1, 1});
    ASSERT_EQ(geometry::putBlockAffines(model, msg, 2), script::kOk);
    g.current = kIdentity;
    ASSERT_EQ(geometry::getBlockAffines(model, msg, 2), script::kOk);
    EXPECT_THAT(through({0, 0, 0}), IsPoint(1, 1, 1));
    EXPECT_EQ(geometry::getBlockAffines(model, msg, 0), script::kFail);
    EXPECT_EQ(geometry::getBlockAffines(model, msg, 3), script::kFail);
    EXPECT_EQ(geometry::putBlockAffines(model, msg, 3), script::kFail);
    const std::vector<std::string> b = boxes();
    ASSERT_EQ(b.size(), 5u);
    EXPECT_EQ(b[1], geometry::msg::kInGetBlockAffines);
    EXPECT_EQ(b[4], err(geometry::msg::kAffineFull));
}

}  // namespace
}  // namespace rz::test
