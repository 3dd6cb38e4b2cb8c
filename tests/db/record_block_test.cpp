// The block commands as dialogs and data files use them: creating blocks from the
// selected shapes, selecting, storing, loading with load bases, deleting, and the full store.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "record_test_support.hpp"

namespace rz::test {
namespace {

using Texts = std::vector<std::string>;
namespace smsg = script::msg;

constexpr const char* kTooLarge =
    "WARNING!!: パーツブロックIDが最大設定数を超えています。（修正済）\n";
constexpr const char* kNegative = "WARNING!!: パーツブロックIDが負値になっています。（修正済）\n";
constexpr const char* kStored = "■■　パーツブロックパラメータの登録，ＯＫ！　■■ \n";
constexpr const char* kLoaded = "■■　パーツブロックパラメータ設定の呼び出し，ＯＫ！　■■ \n";

class BlockTest : public RecordTest {};

struct NumCase {
    int from;               // b.point before
    const char* statement;  // num.block …
    int selected;
    const char* status;  // the warning, or nullptr
};

// Blocks 1 and 2 exist: the block count is 3 and the store holds 4 blocks.
const NumCase kNumCases[] = {
    {0, "num.block 2;", 2, nullptr},     {1, "num.block INC;", 2, nullptr},
    {2, "num.block INC;", 3, nullptr},  // one past the last block: where a new one goes
    {3, "num.block INC;", 3, kTooLarge}, {2, "num.block DEC;", 1, nullptr},
    {0, "num.block DEC;", 0, kNegative}, {1, "num.block -5;", 0, kNegative},
    {1, "num.block 100;", 3, kTooLarge}, {0, "num.block 1 + 1;", 2, nullptr},
};

TEST_F(BlockTest, NumSelectsStepsAndCorrectsOutOfRangeNumbers) {
    makeBlocks(2);
    run("num.block 2; let b.name \"second\"; set.block;");
    for (const NumCase& c : kNumCases) {
        model.currentBlock = c.from;
        run("let b.point " + std::to_string(c.from) + ";");
        runFresh(c.statement);
        EXPECT_EQ(errors(), Texts{}) << c.statement;
        EXPECT_EQ(scalar("b.point"), c.selected) << c.statement;
        EXPECT_EQ(model.currentBlock, c.selected) << c.statement;
        EXPECT_EQ(statuses(), c.status ? Texts{c.status} : Texts{}) << c.statement;
    }
    runFresh("num.block 2;");
    EXPECT_EQ(text("b.name"), "second");
}

TEST_F(BlockTest, NumStaysInsideAFullStore) {
    makeBlocks(3);
    ASSERT_EQ(model.blockCount, 4);
    runFresh("num.block 3; num.block INC;");
    EXPECT_EQ(model.currentBlock, 3);
    EXPECT_EQ(scalar("b.point"), 3.0f);
    EXPECT_EQ(statuses(), Texts{kTooLarge});
}

TEST_F(BlockTest, NewBlockTakesTheSelectedShapesAndTheirBox) {
    addShape(0, 1, 0, {-1, 0, 2}, {1, 1, 3});
    addShape(0, 0);
    addShape(0, 1, 0, {0, -4, 0}, {5, 0, 1});
    runFresh("let b.name \"arm\"; new.block;");
    EXPECT_EQ(errors(), Texts{});
    EXPECT_EQ(model.blockCount, 2);
    EXPECT_EQ(model.shapes[0].shapeId, 1u);
    EXPECT_EQ(model.shapes[1].shapeId, 0u);
    EXPECT_EQ(model.shapes[2].shapeId, 1u);
    EXPECT_EQ(scalar("b.point"), 1.0f);
    EXPECT_EQ(model.blocks[1].xyzmin, (Vec3{-1, -4, 0}));
    EXPECT_EQ(model.blocks[1].xyzmax, (Vec3{5, 1, 3}));
    EXPECT_EQ(vector("b.xyzmax.v"), (Vec3{5, 1, 3}));
    EXPECT_EQ(text("b.name"), "arm");
    EXPECT_EQ(model.blocks[1].layer, 0);
}

TEST_F(BlockTest, NewBlockWithoutSelectionLeavesNoBlockBehind) {
    makeBlocks(1);
    model.blocks[1].layer = 1;
    runFresh("new.block;");
    EXPECT_EQ(errors(), Texts{});
    EXPECT_EQ(model.blockCount, 2);
    EXPECT_EQ(model.blocks[1].layer, 0);
}

TEST_F(BlockTest, ABlockEmptiedByNewBlockGoesAndTheNewBlockFollowsItDown) {
    makeBlocks(2);  // shape 0 in block 1, shape 1 in block 2
    const int third = addShape(1, 0);
    selectOnly({1});
    runFresh("new.block;");
    EXPECT_EQ(errors(), Texts{});
    // Block 2 lost its only shape and went; the new block 3 is block 2 now.
    EXPECT_EQ(model.blockCount, 3);
    EXPECT_EQ(model.shapes[0].shapeId, 1u);
    EXPECT_EQ(model.shapes[1].shapeId, 2u);
    EXPECT_EQ(model.shapes[third].shapeId, 1u);
    EXPECT_EQ(scalar("b.point"), 2.0f);
    EXPECT_EQ(model.currentBlock, 2);
    EXPECT_EQ(vector("b.xyzmin.v"), (Vec3{2, 2, 2}));
}

TEST_F(BlockTest, AFullStoreRefusesNewBlocksWithItsMessage) {
    makeBlocks(3);
    const int shape = addShape(0, 0);
    selectOnly({shape});
    runFresh("new.block;");
    EXPECT_EQ(errors(), Texts{});
    EXPECT_EQ(systemBoxes(),
              Texts{"ＥＲＲＯＲ！　パーツブロックは 4 個までしか登録出来ません。 \n"});
    EXPECT_EQ(model.blockCount, 4);
    EXPECT_EQ(model.shapes[shape].shapeId, 0u);
}

TEST_F(BlockTest, SetAndSaveStoreTheVariables) {
    makeBlocks(2);
    runFresh("num.block 1; let b.name \"first\"; let b.layer 2.9; set.block;");
    EXPECT_EQ(statuses(), Texts{kStored});
    EXPECT_STREQ(model.blocks[1].name.data(), "first");
    EXPECT_EQ(model.blocks[1].layer, 2);

    runFresh("var v; v = 2; let b.name \"copy\"; save.block v;");
    EXPECT_EQ(errors(), Texts{});
    EXPECT_EQ(statuses(), Texts{kStored});
    EXPECT_STREQ(model.blocks[2].name.data(), "copy");
    // The current block stays, and its variables are not reloaded.
    EXPECT_EQ(model.currentBlock, 1);
    EXPECT_EQ(text("b.name"), "copy");
    EXPECT_STREQ(model.blocks[1].name.data(), "first");
}

struct ArgumentCase {
    const char* statement;
    std::string_view message;
};

const ArgumentCase kArgumentCases[] = {
    {"set.block 1;", smsg::kTooManyParams},      {"new.block x;", smsg::kTooManyParams},
    {"delete.block 2;", smsg::kTooManyParams},   {"capa.block 1;", smsg::kTooManyParams},
    {"save.block 2;", smsg::kBadParam},          {"save.block v, 1;", smsg::kTooManyParams},
    {"save.block big;", smsg::kValueNotCorrect}, {"save.block minus;", smsg::kValueNotCorrect},
    {"set.blockcount 3;", smsg::kBadParam},      {"num.block 1 2;", smsg::kTooManyParams},
};

TEST_F(BlockTest, WrongArgumentsFailWithTheirMessage) {
    run("var v; var big; var minus; big = 4; minus = -1;");
    const db::Block before = model.blocks[0];
    for (const ArgumentCase& c : kArgumentCases) {
        runFresh(c.statement);
        EXPECT_EQ(errors(), (Texts{errorText(c.message), kRunFailed})) << c.statement;
    }
    EXPECT_EQ(model.blockCount, 1);
    EXPECT_STREQ(model.blocks[0].name.data(), before.name.data());
}

struct LoadCase {
    std::int32_t blockBase;  // block count − 1 when the load began
    std::int32_t shapeBase;  // shape count when the load began
    const char* statement;
    int selected;
};

const LoadCase kLoadCases[] = {
    {0, 0, "load.block 1;", 1},  // into an empty model
    {2, 3, "load.block 1;", 3},  // a model with blocks 1 and 2
    {1, 4, "load.block 1;", 2},  // one block and shapes: + 1
    {0, 4, "load.block 1;", 2},  // shapes but only the reserved block: + 1
    {1, 0, "load.block 2;", 2},  // no shapes, base below 2: as written
    {0, 0, "let b.point 3; load.block b.point;", 3},
};

TEST_F(BlockTest, LoadAddsTheLoadBaseAndCoversTheNumber) {
    for (const LoadCase& c : kLoadCases) {
        model.blockCount = 1;
        model.loadBase.block = c.blockBase;
        model.loadBase.shape = c.shapeBase;
        runFresh(c.statement);
        EXPECT_EQ(errors(), Texts{}) << c.statement;
        EXPECT_EQ(model.currentBlock, c.selected) << c.statement;
        EXPECT_EQ(scalar("b.point"), c.selected) << c.statement;
        EXPECT_EQ(model.blockCount, c.selected + 1) << c.statement;
        EXPECT_EQ(statuses(), Texts{kLoaded}) << c.statement;
    }
}

TEST_F(BlockTest, LoadOutsideTheStoreFailsAndSelectsBlockZero) {
    makeBlocks(1);
    model.loadBase.block = 2;
    runFresh("load.block 2;");
    EXPECT_EQ(errors(), (Texts{errorText(smsg::kValueNotCorrect), kRunFailed}));
    EXPECT_EQ(model.currentBlock, 0);
    EXPECT_EQ(model.blockCount, 2);
    runFresh("load.block -3;");
    EXPECT_EQ(errors(), (Texts{errorText(smsg::kValueNotCorrect), kRunFailed}));
}

TEST_F(BlockTest, DeleteRemovesActiveBlocksAndRenumbersShapesAndRigids) {
    makeBlocks(3);
    model.rigidCount = 2;
    model.rigids[0].block1 = 2;
    model.rigids[0].block2 = 3;
    model.rigids[1].block1 = 1;
    model.rigids[1].block2 = 3;
    model.dialogState[2] = 3;
    model.blocks[2].layer = 1;
    runFresh("delete.block;");
    EXPECT_EQ(errors(), Texts{});
    EXPECT_EQ(model.blockCount, 3);
    EXPECT_EQ(model.shapes[0].shapeId, 1u);
    EXPECT_EQ(model.shapes[1].shapeId, 0u);
    EXPECT_EQ(model.shapes[2].shapeId, 2u);
    EXPECT_EQ(model.blocks[2].xyzmin, (Vec3{3, 3, 3}));
    // The joint to the deleted block goes with it; the other follows its blocks down.
    ASSERT_EQ(model.rigidCount, 1);
    EXPECT_EQ(model.rigids[0].block1, 1);
    EXPECT_EQ(model.rigids[0].block2, 2);
    EXPECT_EQ(model.dialogState[2], 2);
}

TEST_F(BlockTest, DeleteTakesNeighbouringActiveBlocksOneAfterTheOther) {
    makeBlocks(3);
    model.blocks[1].layer = 1;
    model.blocks[2].layer = 1;
    runFresh("delete.block;");
    EXPECT_EQ(model.blockCount, 2);
    EXPECT_EQ(model.shapes[2].shapeId, 1u);
    EXPECT_EQ(model.blocks[1].xyzmin, (Vec3{3, 3, 3}));
}

TEST_F(BlockTest, AddBlockGivesTheSelectionToTheChosenBlock) {
    makeBlocks(2);
    const int shape = addShape(0, 0, 0, {10, 10, 10}, {11, 12, 13});
    selectOnly({shape});

    runFresh("add.block;");
    EXPECT_EQ(systemBoxes(), Texts{" パーツが全然選択されてないよ！　よく確認してね。 "});
    EXPECT_EQ(model.shapes[shape].shapeId, 0u);

    model.dialogState[2] = 1;
    runFresh("add.block;");
    EXPECT_EQ(errors(), Texts{});
    EXPECT_EQ(model.shapes[shape].shapeId, 1u);
    EXPECT_EQ(scalar("b.point"), 1.0f);
    EXPECT_EQ(vector("b.xyzmin.v"), (Vec3{1, 1, 1}));
    EXPECT_EQ(vector("b.xyzmax.v"), (Vec3{11, 12, 13}));

    model.dialogState[2] = 7;
    runFresh("add.block;");
    EXPECT_EQ(errors(), (Texts{errorText(smsg::kValueNotCorrect), kRunFailed}));
}

TEST_F(BlockTest, CapaAndSetCountReportTheStore) {
    makeBlocks(1);
    runFresh("capa.block;");
    EXPECT_EQ(systemBoxes(), Texts{"■■　パーツブロックパラメータの残り登録数: 2 ( 50 ％ )　■■ \n"});
    runFresh("var n; set.blockcount n;");
    EXPECT_EQ(scalar("n"), 2.0f);
    makeBlocks(2);
    runFresh("set.blockcount n;");
    EXPECT_EQ(model.blockCount, 3);
    EXPECT_EQ(scalar("n"), 3.0f);
}

TEST_F(BlockTest, SystemBoxesAreSilentWhileMessagesAreOff) {
    msg.setMessageMode(0);
    runFresh("capa.block; num.block -1;");
    EXPECT_EQ(sink.log.size(), 0u);
    msg.setMessageMode(1);
}

// A store with room for the reserved block only.
db::Settings reservedBlockOnly() {
    db::Settings s = smallRecordStores();
    s.capacity.blockmax = 1;
    return s;
}

class ReservedBlockTest : public RecordTest {
  protected:
    ReservedBlockTest() : RecordTest(reservedBlockOnly()) {}
};

TEST_F(ReservedBlockTest, ACountLoweredToZeroStillTakesNoBlock) {
    const int shape = addShape(0, 1);
    runFresh("var n; set.blockcount n; new.block;");
    EXPECT_EQ(scalar("n"), 0.0f);
    EXPECT_EQ(systemBoxes(),
              Texts{"ＥＲＲＯＲ！　パーツブロックは 1 個までしか登録出来ません。 \n"});
    EXPECT_EQ(model.shapes[shape].shapeId, 0u);
}

}  // namespace
}  // namespace rz::test
