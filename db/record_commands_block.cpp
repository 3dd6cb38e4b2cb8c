#include "db/record_commands_block.hpp"

#include <algorithm>
#include <array>
#include <span>

#include "db/current_records.hpp"
#include "db/model_delete.hpp"
#include "db/record_commands_common.hpp"
#include "script/arguments.hpp"
#include "script/command_table.hpp"
#include "script/messages.hpp"
#include "script/statement.hpp"

namespace rz::db {
namespace {

using script::kFail;
using script::kOk;
using script::Result;

const RecordFamily kBlocks{
    &Database::blockCount,
    &Capacities::blockmax,
    &Database::currentBlock,
    [](const Database& db) { return db.blocks.size(); },
    kUint16Records,  // rigids name their blocks in 16 bits
    SysVar::BPoint,
    putBlockRecord,
    selectBlock,
    "■■　パーツブロックパラメータの登録，ＯＫ！　■■ \n",
    "WARNING!!: パーツブロックIDが負値になっています。（修正済）\n",
    "WARNING!!: パーツブロックIDが最大設定数を超えています。（修正済）\n",
    {},
    "■■　パーツブロックパラメータ設定の呼び出し，ＯＫ！　■■ \n",
    NumLimit::Count,
    LoadBaseRule::Block,
    &LoadBases::block,
    0,
    script::Tok::BlockRef,
};

// The block add.block adds to, as the block dialogs and the main window leave it.
constexpr std::size_t kAddTarget = 2;

// Gives every selected shape to block b.
void takeSelectedShapes(Database& db, int b) {
    for (Shape& s : liveShapes(db))
        if (s.layer == 1) s.shapeId = static_cast<std::uint32_t>(b);
}

}  // namespace

int deleteActiveBlocks(Database& db, int follow) {
    return deleteBlocks(db, 1, follow);
}

static script::Result cmdSetBlock(script::Interp& in) {
    return storeCurrent(in, kBlocks);
}
static script::Result cmdSaveBlock(script::Interp& in) {
    return storeInto(in, kBlocks);
}
static script::Result cmdNumBlock(script::Interp& in) {
    return selectForEditing(in, kBlocks);
}
static script::Result cmdLoadBlock(script::Interp& in) {
    return selectWhileLoading(in, kBlocks);
}
static script::Result cmdSetBlockcount(script::Interp& in) {
    return limitCount(in, kBlocks);
}

static script::Result cmdCapaBlock(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    const Remaining r = remaining(database(in), kBlocks);
    systemBox(in, "■■　パーツブロックパラメータの残り登録数: %d ( %d ％ )　■■ \n", r.free,
              r.percent);
    return kOk;
}

int beginNewBlock(script::Interp& in) {
    Database& db = database(in);
    const std::int32_t capacity = capacityOf(db, kBlocks);
    // Block 0 is reserved: even a count lowered to 0 makes block 1 next.
    const std::int32_t k = std::max(db.blockCount, 1);
    if (k >= capacity) {
        systemBox(in, "ＥＲＲＯＲ！　パーツブロックは %d 個までしか登録出来ません。 \n", capacity);
        return -1;
    }
    db.currentBlock = k;
    scalarVar(in, SysVar::BPoint) = static_cast<float>(k);
    scalarVar(in, SysVar::BLayer) = 0.0f;
    db.blockCount = k + 1;
    putBlockRecord(in);
    takeSelectedShapes(db, k);
    return k;
}

void endNewBlock(script::Interp& in, int k) {
    // A block that lost its last shape to the new one goes, and with it every other empty
    // block, the new one too when no shape was selected. Blocks before the new one may
    // go, so the new block is followed to its final number and selected there: the point
    // variable and the block variables then show the block that was made.
    Database& db = database(in);
    markEmptyBlocks(db);
    const int made = deleteActiveBlocks(db, k);
    selectBlock(in, made >= 0 ? made : 0);
}

int addSelectionToBlock(script::Interp& in) {
    Database& db = database(in);
    const std::int32_t b = db.dialogState[kAddTarget];
    if (b == 0) {
        systemBox(in, " パーツが全然選択されてないよ！　よく確認してね。 ");
        return 0;
    }
    if (b < 0 || b >= std::min<std::int64_t>(db.blockCount, db.blocks.size())) {
        static_cast<void>(script::failSkip(in, script::msg::kValueNotCorrect));
        return -1;
    }
    db.currentBlock = b;
    scalarVar(in, SysVar::BPoint) = static_cast<float>(b);
    takeSelectedShapes(db, b);
    return b;
}

static script::Result cmdDeleteBlock(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    deleteActiveBlocks(database(in));
    return kOk;
}

namespace {
const std::array<script::CommandRow, 7> kCommands{{
    {"set.block", cmdSetBlock},
    {"num.block", cmdNumBlock},
    {"capa.block", cmdCapaBlock},
    {"set.blockcount", cmdSetBlockcount},
    {"load.block", cmdLoadBlock},
    {"save.block", cmdSaveBlock},
    {"delete.block", cmdDeleteBlock},
}};
}  // namespace

std::span<const script::CommandRow> blockCommands() {
    return kCommands;
}

}  // namespace rz::db
