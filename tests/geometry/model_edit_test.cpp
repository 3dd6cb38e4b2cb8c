// The whole-model edits on a model with a record in every store: after each, the model is
// sound and goes through the binary files unchanged; then the edge cases of each command.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <tuple>

#include "../fileio/sample_model.hpp"
#include "../support/model_integrity.hpp"
#include "db/capacity.hpp"
#include "script/messages.hpp"

namespace rz::test {
namespace {

using Boxes = std::vector<std::string>;

constexpr const char* kDeleted = "*****  MODELdata delete complete!  *****\n";

// A box primitive in a block of its own.
constexpr const char* kBoxPrimitive =
    "let b.cursor.code 0; let box.s 0 0 0; let box.e 10 20 30; "
    "set.primitive box.s, box.e, t.ratio, div, direc, futa;";

struct Counts {
    std::int32_t shape, axis, patch, block, affine, attribute, maplist, mapinfo, mapdata, texture,
        rigid, rlink;
    bool operator==(const Counts&) const = default;
};

Counts countsOf(const db::Database& m) {
    return {m.shapeCount,   m.axisCount,        m.patchCount,   m.blockCount,
            m.affineCount,  m.attributeCount,   m.maplistCount, m.mapinfoCount,
            m.mapdataCount, m.textureBytesUsed, m.rigidCount,   m.rlinkCount};
}

void PrintTo(const Counts& c, std::ostream* os) {
    *os << "{" << c.shape << "," << c.axis << "," << c.patch << "," << c.block << "," << c.affine
        << "," << c.attribute << "," << c.maplist << "," << c.mapinfo << "," << c.mapdata << ","
        << c.texture << "," << c.rigid << "," << c.rlink << "}";
}

void activate(db::Database& m, std::initializer_list<int> shapes) {
    for (const int i : shapes) m.shapes[static_cast<std::size_t>(i)].layer = 1;
}

// The model is sound, and the motion-model file carries it unchanged; the parts file too,
// except for the joints, which parts files leave behind.
void expectSoundAndCarried(Workstation& ws, const std::string& dir) {
    const IntegrityCheck check(ws.model);
    EXPECT_TRUE(check.ok()) << check.report();
    db::Database parts = ws.model;
    for (db::Block& b : parts.blocks) b.rlinkId = -1;
    for (const auto& [name, expected, motion] :
         {std::tuple{"/edited.ptb", &parts, false}, {"/edited.mmb", &ws.model, true}}) {
        ASSERT_EQ(ws.run("write \"" + dir + name + "\";"), Boxes{});
        Workstation fresh;
        ASSERT_EQ(fresh.run("read \"" + dir + name + "\";"), Boxes{});
        expectSameModel(*expected, fresh.model, motion);
    }
}

class ModelEditTest : public FileTest {};

// The sample: grid (block 1, attribute 1, mapped with image 1) and mesh (block 2, hidden)
// share axes 0-3; the parametric box (block 2, matrix 1) has axis 4; a hinge joins blocks
// 1 and 2 through rlinks 0 and 1 and belongs to actor 1.
TEST_F(ModelEditTest, EveryEditLeavesASoundModelThatFilesCarry) {
    const Counts sample{3, 5, 11, 3, 2, 3, 2, 2, 2, 12, 1, 2};
    struct Case {
        const char* statement;
        std::initializer_list<int> active;
        Counts after;
    };
    const Case cases[] = {
        // The grid's axes stay for the mesh; only its patch entries go.
        {"mdldel;", {0}, {2, 5, 8, 3, 2, 3, 2, 2, 2, 12, 1, 2}},
        {"mdldel 2;", {}, {2, 5, 3, 3, 2, 3, 2, 2, 2, 12, 1, 2}},
        // The last shape: its axis and matrix go, nothing moves.
        {"mdldel L.ACTIVE;", {2}, {2, 4, 11, 3, 1, 3, 2, 2, 2, 12, 1, 2}},
        // Block 1 is left empty and goes, and with it the hinge and both its rlinks.
        {"block.del;", {0}, {2, 5, 8, 2, 2, 3, 2, 2, 2, 12, 0, 0}},
        {"block.del;", {1, 2}, {1, 4, 3, 2, 1, 3, 2, 2, 2, 12, 0, 0}},
        // Block 2 keeps the hidden mesh and is deleted all the same: the mesh goes to block 0.
        {"block.del 0;", {}, {1, 4, 8, 2, 1, 3, 2, 2, 2, 12, 0, 0}},
        // And the grid's attribute, mapping, mapinfo and image with its bytes.
        {"allinfo.del;", {0}, {2, 5, 8, 2, 2, 2, 1, 1, 1, 0, 0, 0}},
        {"mdlcopy;", {0, 2}, {5, 10, 14, 5, 4, 3, 2, 2, 2, 12, 1, 2}},
        {"mdlcopy 0;", {}, {6, 14, 22, 5, 5, 3, 2, 2, 2, 12, 1, 2}},
        {"mdlcopy; undomodel;", {0}, sample},
        {"modelinit;", {}, {0, 0, 0, 1, 1, 1, 1, 1, 1, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.statement);
        Workstation ws;
        buildSampleModel(ws, dir_, true);
        ASSERT_EQ(countsOf(ws.model), sample);
        activate(ws.model, c.active);
        EXPECT_EQ(ws.run(c.statement), Boxes{});
        EXPECT_EQ(countsOf(ws.model), c.after);
        expectSoundAndCarried(ws, dir_);
    }
}

TEST_F(ModelEditTest, DeletionKeepsWhatRemainsPointingAtTheSameRecords) {
    Workstation ws;
    buildSampleModel(ws, dir_, true);
    const db::Database& m = ws.model;
    const db::Shape mesh = m.shapes[1];
    const std::vector<std::int32_t> faces(m.patches.begin() + 3, m.patches.begin() + 11);
    const Mat4 boxMatrix = m.affines[1];
    activate(ws.model, {0});
    ASSERT_EQ(ws.run("allinfo.del;"), Boxes{});
    EXPECT_EQ(ws.sink.statuses().back(), kDeleted);
    // The mesh moved down one place, its entries down three, its vertices did not move.
    EXPECT_EQ(m.shapes[0].axisId, mesh.axisId);
    EXPECT_EQ(m.shapes[0].patchId, 0u);
    EXPECT_EQ(std::vector<std::int32_t>(m.patches.begin(), m.patches.begin() + 8), faces);
    EXPECT_EQ(m.shapes[0].attribId, 1);  // attribute 2 became 1
    EXPECT_EQ(m.shapes[0].shapeId, 1u);  // block 2 became 1
    EXPECT_EQ(m.affines[m.shapes[1].matrixId], boxMatrix);
    // The hinge joined the deleted block: the actor has no rigid left to start at.
    EXPECT_EQ(m.blocks[1].rlinkId, -1);
    EXPECT_EQ(m.actors[1].startRigid, 0);
}

// Block 3 joins block 2 by a second rigid; block 2's chain names the hinge's rlink first.
// Deleting block 1 takes the hinge: the chain closes over its rlink and the actor starts at
// the rigid that is left.
TEST_F(ModelEditTest, DeletingAJointedBlockClosesTheChainsOverTheRemovedJoint) {
    Workstation ws;
    buildSampleModel(ws, dir_, true);
    ASSERT_EQ(ws.run(kBoxPrimitive), Boxes{});
    ASSERT_EQ(ws.run(R"(
load.rigid 1; let rigid.block1.id 2; let rigid.block2.id 3; let rigid.actor.id 1; set.rigid
load.rlink 1; let rlink.rigid.id 0; let rlink.next 2; set.rlink
load.rlink 2; let rlink.rigid.id 1; let rlink.next -1; set.rlink
)"),
              Boxes{});
    ASSERT_EQ(ws.model.blocks[2].rlinkId, 1);
    ws.model.shapes[3].layer = 0;  // the primitive's shape, made active
    activate(ws.model, {0});
    ASSERT_EQ(ws.run("block.del;"), Boxes{});
    const db::Database& m = ws.model;
    ASSERT_EQ(m.rigidCount, 1);
    EXPECT_EQ(std::tie(m.rigids[0].block1, m.rigids[0].block2), std::tuple(1, 2));
    ASSERT_EQ(m.rlinkCount, 1);
    EXPECT_EQ(m.blocks[1].rlinkId, 0);
    EXPECT_EQ(std::tie(m.rlinks[0].rigid, m.rlinks[0].next), std::tuple(0, -1));
    EXPECT_EQ(m.actors[1].startRigid, 0);
    expectSoundAndCarried(ws, dir_);
}

TEST_F(ModelEditTest, DeletingTheOnlyBlockLeavesTheReservedOne) {
    Workstation ws;
    ASSERT_EQ(ws.run(kBoxPrimitive), Boxes{});
    ASSERT_EQ(ws.model.blockCount, 2);
    activate(ws.model, {0});
    ASSERT_EQ(ws.run("block.del;"), Boxes{});
    EXPECT_EQ(countsOf(ws.model), (Counts{0, 0, 0, 1, 1, 1, 1, 1, 1, 0, 0, 0}));
    EXPECT_TRUE(IntegrityCheck(ws.model).ok());
}

TEST_F(ModelEditTest, CopyOfATextureMappedShapeSharesItsMappingInAnActiveBlock) {
    Workstation ws;
    buildSampleModel(ws, dir_, true);
    ws.model.shapes[0].matrixId = 1;  // an explicit shape keeps its placement too
    activate(ws.model, {0});
    ASSERT_EQ(ws.run("mdlcopy;"), Boxes{});
    const db::Database& m = ws.model;
    const db::Shape& grid = m.shapes[0];
    const db::Shape& copy = m.shapes[3];
    EXPECT_EQ(std::tie(copy.textureId, copy.attribId, copy.kind, copy.layer),
              std::tuple(grid.textureId, grid.attribId, grid.kind, std::uint8_t{1}));
    EXPECT_EQ(grid.layer, 0);
    EXPECT_EQ(copy.shapeId, 3u);
    EXPECT_EQ(std::tie(m.blocks[3].layer, m.blocks[1].layer), std::tuple(1, 0));
    EXPECT_EQ(m.blocks[3].rlinkId, -1);  // joints stay with the original
    for (std::uint32_t k = 0; k < copy.axisTotal; ++k)
        EXPECT_EQ(m.axes[copy.axisId + k].wv, m.axes[grid.axisId + k].wv);
    EXPECT_EQ(std::tie(copy.bbmin, copy.bbmax), std::tie(grid.bbmin, grid.bbmax));
    EXPECT_NE(copy.matrixId, grid.matrixId);
    EXPECT_EQ(m.affines[copy.matrixId], m.affines[grid.matrixId]);
}

TEST_F(ModelEditTest, CopiesOfShapesOfBlocksTwoTwoAndFiveFillTwoNewBlocks) {
    Workstation ws;
    for (int b = 1; b <= 5; ++b) ASSERT_EQ(ws.run(kBoxPrimitive), Boxes{});
    ws.model.shapes[2].shapeId = 2;
    for (int i = 0; i < 5; ++i) ws.model.shapes[static_cast<std::size_t>(i)].layer = 0;
    activate(ws.model, {1, 2, 4});
    ASSERT_EQ(ws.run("mdlcopy;"), Boxes{});
    const db::Database& m = ws.model;
    EXPECT_EQ(m.blockCount, 8);
    EXPECT_EQ(std::tie(m.shapes[5].shapeId, m.shapes[6].shapeId, m.shapes[7].shapeId),
              std::tuple(6u, 6u, 7u));
    EXPECT_TRUE(IntegrityCheck(m).ok());
}

TEST_F(ModelEditTest, CopyThatDoesNotFitChangesNothing) {
    db::Settings small;
    small.capacity.shapemax = 4;
    Workstation ws(small);
    ASSERT_EQ(ws.run(kBoxPrimitive), Boxes{});
    ASSERT_EQ(ws.run(kBoxPrimitive), Boxes{});
    const Counts before = countsOf(ws.model);
    activate(ws.model, {0, 1});
    EXPECT_EQ(ws.run("mdlcopy;"), (Boxes{err(db::msg::kShapeFull), kRunFailed}));
    EXPECT_EQ(countsOf(ws.model), before);
    EXPECT_EQ(ws.model.shapes[0].layer, 1);
}

TEST_F(ModelEditTest, UndoRightAfterALoadKeepsTheLoadedModel) {
    for (const char* name : {"parts.pts", "parts.ptb", "motion.mmb"}) {
        SCOPED_TRACE(name);
        {
            Workstation source;
            buildSampleModel(source, dir_, true);
            ASSERT_EQ(source.run("write " + quoted(name) + ";"), Boxes{});
        }
        Workstation ws;
        ASSERT_EQ(ws.run(kBoxPrimitive), Boxes{});
        ASSERT_EQ(ws.run("read " + quoted(name) + ";"), Boxes{});
        const Counts loaded = countsOf(ws.model);
        ASSERT_EQ(ws.run("undomodel;"), Boxes{});
        EXPECT_EQ(countsOf(ws.model), loaded);
        EXPECT_EQ(ws.sink.statuses().back(), "\n** 形状データ生成操作 undo 　終了！ **\n\n");
    }
}

// A joint made after the second primitive names the block its undo takes away.
TEST_F(ModelEditTest, UndoTakesTheJointsOfTheBlocksItRemoves) {
    Workstation ws;
    ASSERT_EQ(ws.run(kBoxPrimitive), Boxes{});
    ASSERT_EQ(ws.run(kBoxPrimitive), Boxes{});
    ASSERT_EQ(ws.run("load.block 1; let b.rlink.id 0; set.block; load.rigid 0; "
                     "let rigid.block1.id 1; let rigid.block2.id 2; set.rigid; "
                     "load.rlink 0; let rlink.rigid.id 0; let rlink.next -1; set.rlink;"),
              Boxes{});
    ASSERT_EQ(ws.run("undomodel;"), Boxes{});
    EXPECT_EQ(std::tie(ws.model.blockCount, ws.model.rigidCount, ws.model.rlinkCount),
              std::tuple(2, 0, 0));
    EXPECT_EQ(ws.model.blocks[1].rlinkId, -1);
    const IntegrityCheck check(ws.model);
    EXPECT_TRUE(check.ok()) << check.report();
}

// The second primitive set the point; deleting the first renumbers it, so the undo still
// takes exactly the second.
TEST_F(ModelEditTest, UndoAfterADeletionTakesWhatWasMadeAfterThePoint) {
    Workstation ws;
    ASSERT_EQ(ws.run(kBoxPrimitive), Boxes{});
    ASSERT_EQ(ws.run(kBoxPrimitive), Boxes{});
    ws.model.shapes[1].layer = 0;  // the first primitive's shape stays selected
    ASSERT_EQ(ws.run("block.del; undomodel;"), Boxes{});
    EXPECT_EQ(countsOf(ws.model), (Counts{0, 0, 0, 1, 1, 1, 1, 1, 1, 0, 0, 0}));
}

TEST_F(ModelEditTest, ModelinitEmptiesTheModelAndResetsTheMappingVariables) {
    Workstation ws;
    buildSampleModel(ws, dir_, true);
    ASSERT_EQ(ws.run("write " + quoted("m.ptb") + "; modelinit;"), Boxes{});
    EXPECT_EQ(ws.sink.statuses().back(), "\n** 形状データ記憶領域初期化　終了！ **\n\n");
    EXPECT_EQ(ws.model.modelFileName[0], '\0');
    EXPECT_EQ(ws.scalar("m.xlen"), 2000.0f);
    EXPECT_EQ(ws.model.mapinfos[0].xlen, 2000.0f);
    EXPECT_TRUE(IntegrityCheck(ws.model).ok());
}

TEST_F(ModelEditTest, CapacityReportOfAnEmptyModel) {
    Workstation ws;
    ASSERT_EQ(ws.run("capa.mdl;"),
              (Boxes{"■■　シェイプ記憶領域の残り登録数: 4000 ( 100 % )　■■\n",
                     "■■　パッチ　記憶領域の残り登録数: 22000 ( 100 % )　■■\n",
                     "■■　座標ﾃﾞｰﾀ記憶領域の残り登録数: 25000 ( 100 % )　■■\n"}));
}

TEST_F(ModelEditTest, ArgumentsAreRefused) {
    namespace smsg = script::msg;
    Workstation ws;
    for (const auto& [statement, message] : {std::pair{"mdldel x;", smsg::kBadParam},
                                             {"block.del 1 2;", smsg::kTooManyParams},
                                             {"mdlcopy \"a\";", smsg::kBadParam},
                                             {"modelinit 1;", smsg::kTooManyParams},
                                             {"capa.mdl 1;", smsg::kTooManyParams}}) {
        EXPECT_EQ(ws.run(statement), (Boxes{err(message), kRunFailed})) << statement;
    }
}

}  // namespace
}  // namespace rz::test
