#include "db/record_commands_actor.hpp"

#include <algorithm>
#include <array>
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
using enum SysVar;

const RecordFamily kActors{
    &Database::actorCount,
    &Capacities::actormax,
    &Database::currentActor,
    [](const Database& db) { return db.actors.size(); },
    kInt16Records,  // rigids name their actor in 16 bits
    ActorPoint,
    putActorRecord,
    selectActor,
    "■■　運動モデル設定パラメータ設定，ＯＫ！　■■ \n",
    "WARNING!!: 運動モデル情報番号が負値になっています。（修正済）",
    "WARNING!!: 運動モデル情報番号が設定数を超えています。（修正済）",
    "■■　運動モデル設定パラメータの選択，ＯＫ！　■■ \n",
    {},
    NumLimit::LastRecord,
    LoadBaseRule::Always,
    &LoadBases::actor,
    1,
    script::Tok::ActorRef,
};

constexpr int kActorNameSlot = stringSlot("actor.name");
static_assert(kActorNameSlot > 0);

}  // namespace

static script::Result cmdSetActor(script::Interp& in) {
    return storeCurrent(in, kActors);
}
static script::Result cmdSaveActor(script::Interp& in) {
    return storeInto(in, kActors);
}
static script::Result cmdNumActor(script::Interp& in) {
    return selectForEditing(in, kActors);
}
static script::Result cmdLoadActor(script::Interp& in) {
    return selectWhileLoading(in, kActors);
}
static script::Result cmdSetActorcount(script::Interp& in) {
    return limitCount(in, kActors);
}

static script::Result cmdCapaActor(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    const Remaining r = remaining(database(in), kActors);
    systemBox(in, "■■　運動モデル設定残り登録数: %d ( %d %% )　■■ \n", r.free, r.percent);
    return kOk;
}

static script::Result cmdNewActor(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    Database& db = database(in);
    const std::int32_t capacity = capacityOf(db, kActors);
    // Actor 0 is reserved: even a count lowered to 0 makes actor 1 next.
    const std::int32_t n = std::max(db.actorCount, 1);
    if (n >= capacity) {
        systemBox(in, " 運動モデルデータ登録がオーバーフローしました！ ( %d ) \n", capacity);
        return kOk;
    }
    db.currentActor = n;
    scalarVar(in, ActorPoint) = static_cast<float>(n);
    db.actorCount = n + 1;
    scalarVar(in, ActorStartRigid) = 0.0f;
    scalarVar(in, ActorLayer) = 0.0f;
    in.sym.setSlotText(kActorNameSlot, "noname");
    putActorRecord(in);
    status(in, "■■　運動モデル設定パラメータ新規設定，ＯＫ！　■■ \n");
    return kOk;
}

static script::Result cmdDeleteActor(script::Interp& in) {
    std::int32_t n = 0;
    if (numberArgument(in, n) != kOk) return kFail;
    Database& db = database(in);
    const std::int32_t count = countOf(db, kActors);
    // Actor 0 is reserved and never deleted.
    if (n < 1 || n >= count) return script::failSkip(in, script::msg::kValueNotCorrect);
    std::copy(db.actors.begin() + n + 1, db.actors.begin() + count, db.actors.begin() + n);
    db.actorCount = count - 1;
    // Rigids of the deleted actor belong to none; those of later actors follow them down.
    const auto rigids = std::clamp<std::int64_t>(db.rigidCount, 0, db.rigids.size());
    for (std::int64_t i = 0; i < rigids; ++i) {
        std::int16_t& a = db.rigids[i].actor;
        if (a == n) {
            a = -1;
        } else if (a > n) {
            --a;
        }
    }
    status(in, "■■　運動モデル設定削除，ＯＫ！　■■ \n");
    return kOk;
}

static script::Result cmdInitActor(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    // Actor 0 stays reserved: the next new.actor makes actor 1.
    database(in).actorCount = 1;
    selectActor(in, 0);
    scalarVar(in, ActorStartRigid) = 0.0f;
    scalarVar(in, ActorLayer) = 0.0f;
    status(in, "■■　運動モデルデータベースの全初期化終了！　■■ \n");
    return kOk;
}

namespace {
const std::array<script::CommandRow, 9> kCommands{{
    {"set.actor", cmdSetActor},
    {"save.actor", cmdSaveActor},
    {"new.actor", cmdNewActor},
    {"delete.actor", cmdDeleteActor},
    {"num.actor", cmdNumActor},
    {"load.actor", cmdLoadActor},
    {"init.actor", cmdInitActor},
    {"capa.actor", cmdCapaActor},
    {"set.actorcount", cmdSetActorcount},
}};
}  // namespace

std::span<const script::CommandRow> actorCommands() {
    return kCommands;
}

}  // namespace rz::db
