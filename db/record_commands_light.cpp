#include "db/record_commands_light.hpp"

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>

#include "db/current_records.hpp"
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

constexpr std::string_view kStored = "■■　光源パラメータの登録，ＯＫ！　■■ \n";

}  // namespace

static script::Result cmdSetLight(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    putLightRecord(in);
    status(in, kStored);
    return kOk;
}

static script::Result cmdSaveLight(script::Interp& in) {
    int symbol = 0;
    if (variableArgument(in, symbol) != kOk) return kFail;
    const std::int32_t v = wholeNumber(in.sym.scalar(symbol));
    if (v < 0 || v >= kLightCount) return script::failSkip(in, script::msg::kValueNotCorrect);
    database(in).currentLight = v;
    putLightRecord(in);
    status(in, kStored);
    return kOk;
}

static script::Result cmdNewLight(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    Database& db = database(in);
    if (db.lightCount >= kLightCount) {
        systemBox(in, "ＥＲＲＯＲ！　光源設定は %d 個までしか出来ません。 \n", kLightCount);
        return kOk;
    }
    db.lightCount = std::max(db.lightCount, 0) + 1;
    db.currentLight = db.lightCount - 1;
    scalarVar(in, SysVar::LMax) = static_cast<float>(db.lightCount);
    scalarVar(in, SysVar::LPoint) = static_cast<float>(db.currentLight);
    status(in, "■■　光源パラメータの新規設定，ＯＫ！　■■ \n");
    return kOk;
}

static script::Result cmdCancelNewLight(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    Database& db = database(in);
    // Light 0 always stays: there is no light before it to go back to.
    if (db.lightCount <= 1) return kOk;
    --db.lightCount;
    scalarVar(in, SysVar::LPoint) = static_cast<float>(db.lightCount);
    scalarVar(in, SysVar::LMax) = static_cast<float>(db.lightCount);
    putLightRecord(in);
    return kOk;
}

static script::Result cmdNumLight(script::Interp& in) {
    int n = 0;
    if (script::lastIntExpression(in, n) != kOk) return kFail;
    Database& db = database(in);
    std::int64_t target = n;
    if (n == kInc) target = std::int64_t{db.currentLight} + 1;
    if (n == kDec) target = std::int64_t{db.currentLight} - 1;
    if (target < 0) {
        target = 0;
        status(in, "WARNING!!: 光源番号が負値になっています。（修正済）\n");
    } else if (target >= kLightCount) {
        target = kLightCount - 1;
        status(in, "WARNING!!: 光源番号が最大設定数を超えています。（修正済）\n");
    }
    db.currentLight = static_cast<std::int32_t>(target);
    getLightRecord(in);
    status(in, "■■　光源パラメータ設定の呼び出し，ＯＫ！　■■ \n");
    return kOk;
}

static script::Result cmdLight(script::Interp& in) {
    int n = 0;
    if (script::lastIntExpression(in, n) != kOk) return kFail;
    Database& db = database(in);
    // The light number has always been kept in a byte.
    const int number = static_cast<std::uint8_t>(n);
    if (number >= kLightCount) {
        db.currentLight = 0;
        return script::failSkip(in, script::msg::kBadParam);
    }
    db.currentLight = number;
    scalarVar(in, SysVar::LPoint) = static_cast<float>(number);
    putLightRecord(in);
    return kOk;
}

static script::Result cmdSetLightno(script::Interp& in) {
    int symbol = 0;
    if (variableArgument(in, symbol) != kOk) return kFail;
    Database& db = database(in);
    if (db.lightCount >= kLightCount) db.lightCount = kLightCount - 1;
    in.sym.scalar(symbol) = static_cast<float>(db.lightCount);
    return kOk;
}

namespace {
const std::array<script::CommandRow, 7> kCommands{{
    {"set.light", cmdSetLight},
    {"num.light", cmdNumLight},
    {"light", cmdLight},
    {"set.lightno", cmdSetLightno},
    {"new.light", cmdNewLight},
    {"save.light", cmdSaveLight},
    {"cancel.new.light", cmdCancelNewLight},
}};
}  // namespace

std::span<const script::CommandRow> lightCommands() {
    return kCommands;
}

}  // namespace rz::db
