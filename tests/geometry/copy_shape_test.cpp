// Copies of shapes, vertex edits, the search for a block's shapes and shape boxes.
#include <gtest/gtest.h>

#include "geometry/bounding_box.hpp"
#include "geometry/copy_shape.hpp"
#include "geometry/geometry_messages.hpp"
#include "geometry/search_shape.hpp"
#include "math/matrix_math.hpp"
#include "model_fixture.hpp"

namespace rz::test {
namespace {

using ::testing::ElementsAre;

class CopyTest : public ModelTest {
  protected:
    // A flat 3 x 3 grid at z = 0 with vertex (i, j) at (i, j, 0), facing +z.
    int addFlatGrid() {
        std::vector<Vec3> points;
        for (int j = 0; j < 3; ++j)
            for (int i = 0; i < 3; ++i)
                points.push_back({static_cast<float>(i), static_cast<float>(j), 0});
        const int s = addGrid(3, 3, points, {0, 0, 1});
        model.shapes[s].bbmax = {2, 2, 0};
        return s;
    }
    // Gives the shape an edit list of (offset, displacement) records.
    void addEdits(int shape, const std::vector<std::pair<int, Vec3>>& edits) {
        std::uint32_t link = db::kNoEdits;
        for (auto it = edits.rbegin(); it != edits.rend(); ++it) {
            const auto index = static_cast<std::uint32_t>(usedEdits++);
            model.editList[index].offset = it->first;
            model.editList[index].displacement = it->second;
            model.editList[index].link = static_cast<std::int32_t>(link);
            link = index;
        }
        model.shapes[shape].editHead = link;
    }
    int usedEdits = 0;
};

TEST_F(CopyTest, GridCopyIsRetiredKindThreeThroughItsMatricesWithEdits) {
    const int src = addFlatGrid();
    model.shapes[src].layer = 1;
    model.shapes[src].attribId = 9;
    model.affines[1] = scaling({2, 2, 2});
    model.affineCount = 2;
    model.shapes[src].matrixId = 1;
    model.geometry.current = translation({0, 0, 10});
    addEdits(src, {{4, {0, 0, 1}}, {8, {0.5f, 0, 0}}});
    ASSERT_EQ(geometry::copyShape(model, msg, src), script::kOk);
    ASSERT_EQ(model.shapeCount, 2);
    const db::Shape& c = model.shapes[1];
    EXPECT_EQ(c.kind, geometry::kGridCopy);
    EXPECT_EQ(c.layer, geometry::kRetiredLayer);
    EXPECT_EQ(c.smoothflag, 1);
    EXPECT_EQ(c.attribId, 9);
    EXPECT_EQ(c.shapeId, 1u);
    EXPECT_EQ(c.editHead, db::kNoEdits);
    EXPECT_EQ(c.axisId, 9u);
    EXPECT_EQ(c.patchId, 3u);
    EXPECT_THAT(std::vector<int>(model.patches.begin() + 3, model.patches.begin() + 6),
                ElementsAre(-2, 3, 3));
    // Scaled by 2 about the origin, moved up by 10, then the edits added.
    EXPECT_THAT(axis(9 + 1).wv, IsPoint(2, 0, 10));
    EXPECT_THAT(axis(9 + 4).wv, IsPoint(2, 2, 11));
    EXPECT_THAT(axis(9 + 8).wv, IsPoint(4.5, 4, 10));
    EXPECT_THAT(axis(9 + 8).nv, IsPoint(0, 0, 1));
    EXPECT_EQ(c.matrixId, 2);
    EXPECT_EQ(model.affineCount, 3);
    EXPECT_EQ(model.affines[2], kIdentity);
    // The source is untouched.
    EXPECT_EQ(axis(4).wv, (Vec3{1, 1, 0}));
}

TEST_F(CopyTest, PolygonCopyMovesItsFaceIndicesWithTheAxes) {
    for (const Vec3& p : {Vec3{0, 0, 0}, Vec3{1, 0, 0}, Vec3{0, 1, 0}, Vec3{1, 1, 0}})
        model.axes[model.axisCount++].wv = p;
    for (const int v : {-3, 0, 1, 2, -3, 1, 3, 2}) model.patches[model.patchCount++] = v;
    db::Shape& s = model.shapes[model.shapeCount++];
    s.shapeId = 1;
    s.axisTotal = 4;
    s.patchTotal = 8;
    s.kind = db::kShapePolygon;
    ASSERT_EQ(geometry::copyShape(model, msg, 0), script::kOk);
    const db::Shape& c = model.shapes[1];
    EXPECT_EQ(c.kind, geometry::kPolygonCopy);
    EXPECT_EQ(c.axisId, 4u);
    EXPECT_THAT(std::vector<int>(model.patches.begin() + 8, model.patches.begin() + 16),
                ElementsAre(-3, 4, 5, 6, -3, 5, 7, 6));
}

TEST_F(CopyTest, MeshCopyKeepsItsFacingFlagUntilAMirrorTurnsIt) {
    // A copied mesh keeps its vertex order, so its facing flag must travel with it; only an
    // odd mirror count turns it, as affine would. Two-sided (2) is turned like any other.
    struct Case {
        std::uint8_t lrflag;
        int mirrors;
        std::uint8_t expected;
    };
    const std::vector<Case> cases = {{1, 0, 1}, {2, 0, 2}, {1, 1, 0}, {0, 1, 1}, {2, 2, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << int{c.lrflag} << " mirrors " << c.mirrors);
        const int src = addFlatGrid();
        model.shapes[src].lrflag = c.lrflag;
        model.geometry.mirrorCount = c.mirrors;
        ASSERT_EQ(geometry::copyShape(model, msg, src), script::kOk);
        EXPECT_EQ(model.shapes[model.shapeCount - 1].lrflag, c.expected);
    }
}

TEST_F(CopyTest, ParametricCopyIsItsGridExpansion) {
    const int src = addParametric(db::kShapeQuad, {0, 0, 0, 1, 0, 0, 0, 0}, {0, 1, 0, 1, 1, 0}, 1);
    ASSERT_EQ(geometry::copyShape(model, msg, src), script::kOk);
    const db::Shape& c = model.shapes[model.shapeCount - 1];
    EXPECT_EQ(c.kind, geometry::kGridCopy);
    EXPECT_EQ(c.axisTotal, 4u);
    EXPECT_EQ(c.lrflag, 0);  // the facing is in the vertex order now
    EXPECT_THAT(axis(c.axisId).wv, IsPoint(1, 1, 0));
}

TEST_F(CopyTest, CopyIsRefusedWholeWhenAStoreIsFull) {
    const int src = addFlatGrid();
    model.affineCount = model.capacity.affinemax;
    EXPECT_EQ(geometry::copyShape(model, msg, src), script::kFail);
    model.affineCount = 1;
    model.axisCount = 2995;  // nine more would reach the usable limit
    EXPECT_EQ(geometry::copyShape(model, msg, src), script::kFail);
    EXPECT_EQ(boxes(), (std::vector<std::string>{err(geometry::msg::kAffineFull),
                                                 err(geometry::msg::kAxisFull)}));
    EXPECT_EQ(model.shapeCount, 1);
    EXPECT_EQ(model.affineCount, 1);
    EXPECT_EQ(model.patchCount, 3);
}

TEST_F(CopyTest, ApplyingEditsReplacesTheShapeAndRecomputesEditedNormals) {
    const int src = addFlatGrid();
    model.shapes[src].layer = 101;  // active and highlighted
    const int plain = addFlatGrid();
    // Corner (0, 0) lifted by 1, and an offset that lies outside the shape.
    addEdits(src, {{0, {0, 0, 1}}, {40, {5, 5, 5}}});
    ASSERT_EQ(geometry::applyShapeEdits(model, msg), script::kOk);
    ASSERT_EQ(model.shapeCount, 3);
    const db::Shape& c = model.shapes[2];
    EXPECT_EQ(c.kind, db::kShapeGrid);
    EXPECT_EQ(c.layer, 1);
    EXPECT_EQ(model.shapes[src].layer, geometry::kRetiredLayer);
    EXPECT_EQ(model.shapes[plain].layer, 0);
    EXPECT_THAT(axis(c.axisId).wv, IsPoint(0, 0, 1));
    // One cell: the triangle (0,0,1), (1,0,0), (0,1,0).
    const double k = 1 / std::sqrt(3.0);
    EXPECT_THAT(axis(c.axisId).nv, IsPoint(k, k, k));
    for (int i = 1; i < 9; ++i) EXPECT_THAT(axis(c.axisId + i).nv, IsPoint(0, 0, 1)) << i;
    // Applying again finds only the retired original and adds nothing.
    ASSERT_EQ(geometry::applyShapeEdits(model, msg), script::kOk);
    EXPECT_EQ(model.shapeCount, 3);
}

TEST_F(CopyTest, SearchFindsTheNthShapeOfABlock) {
    addFlatGrid();  // block 1
    model.shapes[addFlatGrid()].shapeId = 2;
    addFlatGrid();  // block 1
    EXPECT_EQ(geometry::searchShapeId(model, msg, 1, 2), 2);
    EXPECT_EQ(geometry::searchShapeId(model, msg, 2, 1), 1);
    EXPECT_TRUE(boxes().empty());
    EXPECT_EQ(geometry::searchShapeId(model, msg, 2, 2), 0);
    model.shapeCount = 0;
    EXPECT_EQ(geometry::searchShapeId(model, msg, 1, 1), 0);
    EXPECT_EQ(boxes(), std::vector<std::string>(2, err(geometry::msg::kCounterNotReached)));
}

TEST_F(CopyTest, ShapeBoxesOfParametricShapesFollowTheCurrentMatrix) {
    const int box = addParametric(db::kShapeBox, {0, 0, 0, 2, 4, 6, 0, 0});
    const int counts[] = {model.axisCount, model.patchCount, model.shapeCount};
    model.geometry.current = translation({5, 0, 0});
    ASSERT_EQ(geometry::shapeBox(model, msg, box), script::kOk);
    EXPECT_THAT(model.shapes[box].bbmin, IsPoint(4, -2, -3));
    EXPECT_THAT(model.shapes[box].bbmax, IsPoint(6, 2, 3));
    EXPECT_EQ(model.axisCount, counts[0]);
    EXPECT_EQ(model.patchCount, counts[1]);
    EXPECT_EQ(model.shapeCount, counts[2]);
    // Explicit shapes are boxed as stored.
    const int grid = addFlatGrid();
    ASSERT_EQ(geometry::shapeBox(model, msg, grid), script::kOk);
    EXPECT_THAT(model.shapes[grid].bbmax, IsPoint(2, 2, 0));
}

TEST_F(CopyTest, BlockBoxesGrowFromTheirShapesOnly) {
    addFlatGrid();
    model.shapes[addFlatGrid()].shapeId = 2;
    model.blockCount = 3;
    for (db::Block& b : model.blocks) {
        b.xyzmin = {1e16f, 1e16f, 1e16f};
        b.xyzmax = {-1e16f, -1e16f, -1e16f};
    }
    model.shapes[1].bbmax = {7, 7, 7};
    ASSERT_EQ(geometry::updateBlockBox(model, msg, 1), script::kOk);
    EXPECT_THAT(model.blocks[1].xyzmin, IsPoint(0, 0, 0));
    EXPECT_THAT(model.blocks[1].xyzmax, IsPoint(2, 2, 0));
    EXPECT_FLOAT_EQ(model.blocks[2].xyzmax[0], -1e16f);
}

}  // namespace
}  // namespace rz::test
