// The shape-point editor: its session, the edit records its moves leave, finish and cancel.
#include <gtest/gtest.h>

#include "geometry/copy_shape.hpp"
#include "geometry/point_editor.hpp"
#include "math/matrix_math.hpp"
#include "model_fixture.hpp"

namespace rz::test {
namespace {

using geometry::beginPointEdit;
using geometry::movePoint;

class PointEditorTest : public ModelTest {
  protected:
    // The box centred at (10, 20, 30) of size (4, 6, 8), selected: its grid is 2 x 5, vertex
    // k at the k-th corner of the strip that starts at (8, 17, 26).
    int addSelectedBox() {
        const int s = addParametric(db::kShapeBox, {10, 20, 30, 4, 6, 8, 0, 0});
        model.shapes[s].layer = 101;
        return s;
    }
    int listLength(int shape) const {
        int n = 0;
        for (std::uint32_t r = model.shapes[shape].editHead; r != db::kNoEdits && n < 10;
             r = static_cast<std::uint32_t>(model.editList[r].link))
            ++n;
        return n;
    }
};

TEST_F(PointEditorTest, BeginTakesTheFirstSelectedShapeOrRefuses) {
    addParametric(db::kShapeBox, {0, 0, 0, 1, 1, 1, 0, 0});  // layer 1: not selected
    EXPECT_EQ(beginPointEdit(model, msg), script::kFail);
    EXPECT_FALSE(geometry::pointEditActive(model));
    EXPECT_EQ(geometry::currentPoint(model), -1);

    const int box = addSelectedBox();
    model.geometry.current = translation({100, 0, 0});  // as a copy would be moved
    ASSERT_EQ(beginPointEdit(model, msg), script::kOk);
    EXPECT_EQ(model.pointEdit.shape, box);
    EXPECT_EQ(geometry::currentPoint(model), 0);
    const auto points = geometry::editedPoints(model);
    ASSERT_EQ(points.size(), 10u);
    EXPECT_THAT(points[0], IsPoint(108, 17, 26));
    EXPECT_THAT(points[3], IsPoint(108, 23, 34));
    // The expansion was temporary.
    EXPECT_EQ(model.shapeCount, 2);
}

TEST_F(PointEditorTest, StepsWrapAroundAndChoosingStaysInsideTheShape) {
    addSelectedBox();
    ASSERT_EQ(beginPointEdit(model, msg), script::kOk);
    struct Case {
        int step;
        int choose;  // -2: no choice
        int expected;
    };
    for (const Case c : {Case{-1, -2, 9}, Case{1, -2, 0}, Case{1, -2, 1}, Case{0, 9, 9},
                         Case{1, -2, 0}, Case{0, 10, 0}, Case{0, -1, 0}, Case{-3, -2, 7}}) {
        geometry::stepPoint(model, c.step);
        if (c.choose != -2) geometry::choosePoint(model, c.choose);
        EXPECT_EQ(geometry::currentPoint(model), c.expected) << c.step << " " << c.choose;
    }
}

TEST_F(PointEditorTest, MovesMakeOneRecordPerVertexAndUndoTakesThemBackInTurn) {
    const int box = addSelectedBox();
    ASSERT_EQ(beginPointEdit(model, msg), script::kOk);
    ASSERT_EQ(movePoint(model, msg, 3, {1, 0, 0}), script::kOk);
    ASSERT_EQ(movePoint(model, msg, 5, {0, 2, 0}), script::kOk);
    ASSERT_EQ(movePoint(model, msg, 3, {0, 0, -4}), script::kOk);
    EXPECT_EQ(listLength(box), 2);
    const db::EditRecord& r3 = model.editList[model.editList[model.shapes[box].editHead].link];
    EXPECT_EQ(r3.offset, 3);
    EXPECT_THAT(r3.displacement, IsPoint(1, 0, -4));
    EXPECT_THAT(geometry::editedPoints(model)[3], IsPoint(9, 23, 30));
    EXPECT_EQ(movePoint(model, msg, 10, {1, 1, 1}), script::kFail);

    ASSERT_TRUE(geometry::undoPointMove(model));
    EXPECT_THAT(r3.displacement, IsPoint(1, 0, 0));
    EXPECT_THAT(geometry::editedPoints(model)[3], IsPoint(9, 23, 34));
    ASSERT_TRUE(geometry::undoPointMove(model));
    EXPECT_EQ(listLength(box), 1);
    EXPECT_THAT(geometry::editedPoints(model)[5], IsPoint(12, 23, 34));
    ASSERT_TRUE(geometry::undoPointMove(model));
    EXPECT_EQ(model.shapes[box].editHead, db::kNoEdits);
    EXPECT_FALSE(geometry::undoPointMove(model));
}

TEST_F(PointEditorTest, FinishGivesAnExplicitGridWithTheMovedVertex) {
    const int box = addSelectedBox();
    ASSERT_EQ(beginPointEdit(model, msg), script::kOk);
    ASSERT_EQ(movePoint(model, msg, 4, {0.5f, -1, 2}), script::kOk);
    ASSERT_EQ(geometry::finishPointEdit(model, msg), script::kOk);
    EXPECT_FALSE(geometry::pointEditActive(model));
    ASSERT_EQ(model.shapeCount, 2);
    EXPECT_EQ(model.shapes[box].layer, geometry::kRetiredLayer);
    const db::Shape& made = model.shapes[1];
    EXPECT_EQ(made.kind, db::kShapeGrid);
    EXPECT_EQ(made.layer, 1);
    EXPECT_EQ(made.editHead, db::kNoEdits);
    ASSERT_EQ(made.axisTotal, 10u);
    EXPECT_THAT(axis(made.axisId + 4).wv, IsPoint(12.5, 16, 36));
    EXPECT_THAT(axis(made.axisId + 3).wv, IsPoint(8, 23, 34));
}

TEST_F(PointEditorTest, CancelPutsTheListBackAsItWas) {
    const int box = addSelectedBox();
    // An edit of an earlier session that was never applied.
    model.editList[7] = db::EditRecord{.displacement = {0, 0, 1}, .offset = 2, .link = -1};
    model.shapes[box].editHead = 7;
    ASSERT_EQ(beginPointEdit(model, msg), script::kOk);
    EXPECT_THAT(geometry::editedPoints(model)[2], IsPoint(8, 17, 35));
    ASSERT_EQ(movePoint(model, msg, 2, {1, 0, 0}), script::kOk);
    ASSERT_EQ(movePoint(model, msg, 6, {1, 0, 0}), script::kOk);
    geometry::cancelPointEdit(model);
    EXPECT_FALSE(geometry::pointEditActive(model));
    EXPECT_EQ(model.shapes[box].editHead, 7u);
    EXPECT_EQ(model.editList[7].link, -1);
    EXPECT_THAT(model.editList[7].displacement, IsPoint(0, 0, 1));
    EXPECT_EQ(model.shapes[box].layer, 101);
    EXPECT_EQ(model.shapeCount, 1);
}

TEST_F(PointEditorTest, AFullEditListRefusesANewVertexButStillMergesIntoItsOwn) {
    const int box = addSelectedBox();
    ASSERT_EQ(beginPointEdit(model, msg), script::kOk);
    ASSERT_EQ(movePoint(model, msg, 1, {1, 0, 0}), script::kOk);
    // Another shape holds every other record.
    const int other = addParametric(db::kShapeBox, {0, 0, 0, 1, 1, 1, 0, 0});
    std::int32_t link = -1;
    for (int r = 0; r < db::kEditListSize; ++r) {
        if (static_cast<std::uint32_t>(r) == model.shapes[box].editHead) continue;
        model.editList[r] = db::EditRecord{.offset = 0, .link = link};
        link = r;
    }
    model.shapes[other].editHead = static_cast<std::uint32_t>(link);
    const db::EditRecord before = model.editList[link];

    EXPECT_EQ(movePoint(model, msg, 2, {1, 0, 0}), script::kFail);
    EXPECT_EQ(boxes(), std::vector<std::string>{err(geometry::msg::kEditListFull)});
    EXPECT_EQ(listLength(box), 1);
    EXPECT_EQ(model.editList[link].link, before.link);
    EXPECT_THAT(geometry::editedPoints(model)[2], IsPoint(8, 17, 34));
    EXPECT_EQ(movePoint(model, msg, 1, {1, 0, 0}), script::kOk);
    EXPECT_THAT(geometry::editedPoints(model)[1], IsPoint(10, 23, 26));
}

}  // namespace
}  // namespace rz::test
