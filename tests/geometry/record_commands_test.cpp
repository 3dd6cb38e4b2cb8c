// axis.add, patch.add, shape.add and matrix.add as the text data files use them.
#include <gtest/gtest.h>

#include "geometry/geometry_messages.hpp"
#include "model_fixture.hpp"
#include "script/messages.hpp"
#include "started_model.hpp"

namespace rz::test {
namespace {

using Boxes = std::vector<std::string>;
namespace gmsg = geometry::msg;

class RecordCommandTest : public StartedModel {};

TEST_F(RecordCommandTest, AxisAddAppendsTheAxisVariables) {
    EXPECT_EQ(run("let axis.wv 1 -2 3.5\nlet axis.nv 0 0 1\nlet axis.u 0.5\nlet axis.v 0.25\n"
                  "axis.add\nlet axis.wv 4 5 6\naxis.add\n"),
              Boxes{});
    ASSERT_EQ(model.axisCount, 2);
    EXPECT_EQ(model.axes[0].wv, (Vec3{1, -2, 3.5f}));
    EXPECT_EQ(model.axes[0].nv, (Vec3{0, 0, 1}));
    EXPECT_FLOAT_EQ(model.axes[0].u, 0.5f);
    EXPECT_FLOAT_EQ(model.axes[0].v, 0.25f);
    EXPECT_EQ(model.axes[1].wv, (Vec3{4, 5, 6}));
}

TEST_F(RecordCommandTest, PatchAddTruncatesTowardZero) {
    EXPECT_EQ(run("let patch.p -2.9; patch.add; let patch.p 7.9; patch.add;"), Boxes{});
    ASSERT_EQ(model.patchCount, 2);
    EXPECT_EQ(model.patches[0], -2);
    EXPECT_EQ(model.patches[1], 7);
}

TEST_F(RecordCommandTest, ShapeAddFillsEveryFieldInItsWidth) {
    EXPECT_EQ(run("let shape.id 70000\nlet sh.axis.id 3\nlet sh.axis.total 4.7\n"
                  "let sh.patch.id 5\nlet sh.patch.total 3\nlet sh.matrix.id 2\n"
                  "let sh.attrib.id 65537\nlet sh.texture.id 9\nlet sh.layer 101\n"
                  "let sh.kind 12\nlet sh.page 257\nlet sh.lrflag 1\nlet sh.smoothflag 1\n"
                  "let sh.dummy 6\nlet sh.bbmin.v -1 -2 -3\nlet sh.bbmax.v 1 2 3\n"
                  "let sh.name \"0123456789012345678901234567890123456789\"\nshape.add\n"),
              Boxes{});
    ASSERT_EQ(model.shapeCount, 1);
    const db::Shape& s = model.shapes[0];
    EXPECT_EQ(s.shapeId, 70000u - 65536u);  // the low 16 bits only
    EXPECT_EQ(s.axisId, 3u);
    EXPECT_EQ(s.axisTotal, 4u);
    EXPECT_EQ(s.patchId, 5u);
    EXPECT_EQ(s.patchTotal, 3u);
    EXPECT_EQ(s.matrixId, 2);
    EXPECT_EQ(s.attribId, 1);  // 65537 in 16 bits
    EXPECT_EQ(s.textureId, 9);
    EXPECT_EQ(s.layer, 101);
    EXPECT_EQ(s.kind, 12);
    EXPECT_EQ(s.page, 1);  // 257 in 8 bits
    EXPECT_EQ(s.lrflag, 1);
    EXPECT_EQ(s.smoothflag, 1);
    EXPECT_EQ(s.dummy, 6);
    EXPECT_EQ(s.bbmin, (Vec3{-1, -2, -3}));
    EXPECT_EQ(s.bbmax, (Vec3{1, 2, 3}));
    EXPECT_EQ(std::string(s.name.data()), "0123456789012345678901234567890");
    EXPECT_EQ(s.editHead, db::kNoEdits);
}

TEST_F(RecordCommandTest, MatrixAddCopiesMatrixARowByRow) {
    EXPECT_EQ(run("let matrix.a 1 0 0 0\n0 2 0 0\n0 0 3 0\n5 6 7 1\nmatrix.add\n"), Boxes{});
    ASSERT_EQ(model.affineCount, 2);
    EXPECT_EQ(model.affines[1], (Mat4{1, 0, 0, 0, 0, 2, 0, 0, 0, 0, 3, 0, 5, 6, 7, 1}));
    EXPECT_EQ(model.affines[0], kIdentity);
}

TEST_F(RecordCommandTest, ArgumentsAreRefusedAndNothingIsAdded) {
    for (const char* text :
         {"axis.add 1;", "patch.add x;", "shape.add (1,2,3);", "matrix.add matrix.a;"}) {
        EXPECT_EQ(run(text), (Boxes{err(script::msg::kTooManyParams), kRunFailed})) << text;
    }
    EXPECT_EQ(model.axisCount, 0);
    EXPECT_EQ(model.patchCount, 0);
    EXPECT_EQ(model.shapeCount, 0);
    EXPECT_EQ(model.affineCount, 1);
}

TEST_F(RecordCommandTest, FullStoresRefuseTheRecordWithTheirMessage) {
    struct Case {
        const char* command;
        const std::int32_t* count;
        int capacity;  // the store's real capacity
        std::string_view message;
    };
    const std::vector<Case> cases = {
        {"axis.add;", &model.axisCount, 1004, gmsg::kAxisFull},
        {"patch.add;", &model.patchCount, 6, gmsg::kPatchFull},
        {"shape.add;", &model.shapeCount, 5, gmsg::kShapeFull},
        {"matrix.add;", &model.affineCount, 4, gmsg::kAffineFull},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        while (*c.count < c.capacity) ASSERT_EQ(run(c.command), Boxes{});
        EXPECT_EQ(run(c.command), (Boxes{err(c.message), kRunFailed}));
        EXPECT_EQ(*c.count, c.capacity);
    }
}

}  // namespace
}  // namespace rz::test
