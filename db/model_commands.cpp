#include "db/model_commands.hpp"

#include <array>

#include "db/capacity.hpp"
#include "db/current_records.hpp"
#include "db/model_delete.hpp"
#include "db/model_reset.hpp"
#include "db/record_commands_common.hpp"
#include "db/undo_point.hpp"
#include "script/arguments.hpp"
#include "script/messages.hpp"
#include "script/statement.hpp"

namespace rz::db {
namespace {

using script::kFail;
using script::kOk;
using script::Result;
using script::Tok;

constexpr const char* kDeleted = "*****  MODELdata delete complete!  *****\n";

script::Result cmdModelinit(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    resetModel(in);
    status(in, "\n** 形状データ記憶領域初期化　終了！ **\n\n");
    return kOk;
}

script::Result cmdUndomodel(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    Database& db = database(in);
    undoToPoint(db);
    // Records made after the point may have been joined to the blocks the undo took away.
    dropReferencesPastCounts(db);
    status(in, "\n** 形状データ生成操作 undo 　終了！ **\n\n");
    return kOk;
}

script::Result cmdCapaMdl(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    const Database& db = database(in);
    struct Row {
        const char* format;
        std::int64_t capacity;
        std::int32_t count;
    };
    const std::array<Row, 3> rows{{
        {"■■　シェイプ記憶領域の残り登録数: %d ( %d %% )　■■\n", shapeCapacity(db), db.shapeCount},
        {"■■　パッチ　記憶領域の残り登録数: %d ( %d %% )　■■\n", patchCapacity(db), db.patchCount},
        {"■■　座標ﾃﾞｰﾀ記憶領域の残り登録数: %d ( %d %% )　■■\n", usableAxisLimit(db), db.axisCount},
    }};
    for (const Row& r : rows) {
        const std::int64_t free = r.capacity - r.count;
        systemBox(in, r.format, static_cast<int>(free), percentFree(free, r.capacity));
    }
    return kOk;
}

script::Result deleteCommand(script::Interp& in, DeleteScope scope) {
    int layer = 1;
    if (layerArgument(in, layer) != kOk) return kFail;
    deleteShapes(database(in), layer, scope);
    status(in, kDeleted);
    return kOk;
}

script::Result cmdMdldel(script::Interp& in) {
    return deleteCommand(in, DeleteScope::Geometry);
}
script::Result cmdBlockDel(script::Interp& in) {
    return deleteCommand(in, DeleteScope::Blocks);
}
script::Result cmdAllinfoDel(script::Interp& in) {
    return deleteCommand(in, DeleteScope::AllInfo);
}

const std::array<script::CommandRow, 6> kCommands{{
    {"modelinit", cmdModelinit},
    {"undomodel", cmdUndomodel},
    {"capa.mdl", cmdCapaMdl},
    {"mdldel", cmdMdldel},
    {"block.del", cmdBlockDel},
    {"allinfo.del", cmdAllinfoDel},
}};

}  // namespace

script::Result layerArgument(script::Interp& in, int& layer) {
    switch (in.next()) {
        case Tok::End:
        case Tok::Eof:
            layer = 1;
            return kOk;
        case Tok::Number:
        case Tok::Constant:
            layer = wholeNumber(in.lex.number());
            return script::noArguments(in);
        default:
            return script::failSkip(in, script::msg::kBadParam);
    }
}

std::span<const script::CommandRow> modelCommands() {
    return kCommands;
}

}  // namespace rz::db
