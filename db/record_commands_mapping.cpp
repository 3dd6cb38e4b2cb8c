#include "db/record_commands_mapping.hpp"

#include <algorithm>
#include <array>
#include <span>
#include <vector>

#include "db/current_records.hpp"
#include "db/init_database.hpp"
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
using script::Tok;
using enum SysVar;

const RecordFamily kMapinfos{
    &Database::mapinfoCount,
    &Capacities::mapinfomax,
    &Database::currentMapinfo,
    [](const Database& db) { return db.mapinfos.size(); },
    kInt16Records,  // maplist records name their mapinfo in 16 bits
    MiPoint,
    putMapinfoRecord,
    selectMapinfo,
    "■■　マッピングパラメータ設定，ＯＫ！　■■ \n",
    "WARNING!!: mapinfo番号が負値になっています。（修正済）\n",
    "WARNING!!: mapinfo番号が最大設定数オーバーです。（修正済）\n",
    "■■　マッピングパラメータの選択，ＯＫ！　■■ \n",
    {},
    NumLimit::CountMinus1,
    LoadBaseRule::FromTwo,
    &LoadBases::mapinfo,
    1,
};

const RecordFamily kMaplists{
    &Database::maplistCount,
    &Capacities::maplistmax,
    &Database::currentMaplist,
    [](const Database& db) { return db.maplists.size(); },
    kInt16Records,  // chains link their records in 16 bits
    MlPoint,
    putMaplistRecord,
    selectMaplist,
    "■■　マッピングリンクリスト設定，ＯＫ！　■■ \n",
    {},
    {},
    {},
    "■■　マッピングリンクリストの選択，ＯＫ！　■■ \n",
    NumLimit::Count,
    LoadBaseRule::FromTwo,
    &LoadBases::maplist,
    1,
};

constexpr const char* kMapinfoFull = " Mapinfo データ登録がオーバーフローしました！ ( %d ) \n";
constexpr const char* kMaplistFull = " Maplist データ登録がオーバーフローしました！ ( %d ) \n";

// The mapping chains of the shapes over the maplist records in use, as they are when the
// walk begins. A link outside 1 … count − 1 ends a chain (trial records lie beyond the
// count), and no walk takes more steps than there are records, so links left behind by
// deletions or loops in loaded data never lead a walk astray.
class Chains {
  public:
    explicit Chains(Database& db)
        : db_(db),
          limit_(std::clamp<std::int32_t>(db.maplistCount, 0, capacityOf(db, kMaplists))) {}

    bool valid(std::int32_t r) const { return r >= 1 && r < limit_; }
    std::int32_t head(const Shape& s) const { return valid(s.textureId) ? s.textureId : 0; }
    std::int32_t next(std::int32_t r) const {
        const std::int32_t n = db_.maplists[r].next;
        return valid(n) ? n : 0;
    }

    // Calls f(record, previous) along the chain until f gives true; the record f stopped
    // at, or 0.
    template <class F>
    std::int32_t find(const Shape& s, F f) const {
        std::int32_t previous = 0;
        std::int32_t steps = 0;
        for (std::int32_t r = head(s); r != 0 && steps < limit_; r = next(r), ++steps) {
            if (f(r, previous)) return r;
            previous = r;
        }
        return 0;
    }

    std::int32_t tail(const Shape& s) const {
        std::int32_t last = 0;
        find(s, [&](std::int32_t r, std::int32_t) {
            last = r;
            return false;
        });
        return last;
    }

    bool names(const Shape& s, std::int32_t mapinfo) const {
        return find(s, [&](std::int32_t r, std::int32_t) {
                   return db_.maplists[r].mapinfo == mapinfo;
               }) != 0;
    }

    // Record r becomes the last of the shape's chain (its head when the chain is empty).
    void append(Shape& s, std::int32_t r) const {
        const std::int32_t last = tail(s);
        if (last == 0) {
            s.textureId = static_cast<std::uint16_t>(r);
        } else {
            db_.maplists[last].next = static_cast<std::int16_t>(r);
        }
    }

  private:
    Database& db_;
    std::int32_t limit_;
};

// Puts the variables into mapinfo m or gets them from it; the current mapinfo stays.
void putMapinfoInto(script::Interp& in, std::int32_t m) {
    Database& db = database(in);
    const std::int32_t current = db.currentMapinfo;
    db.currentMapinfo = m;
    putMapinfoRecord(in);
    db.currentMapinfo = current;
}

void getMapinfoFrom(script::Interp& in, std::int32_t m) {
    Database& db = database(in);
    const std::int32_t current = db.currentMapinfo;
    db.currentMapinfo = m;
    getMapinfoRecord(in);
    db.currentMapinfo = current;
}

// Links that reach at or beyond the maplist count name records that are no longer in use;
// they are cut so that records made later in those places are not taken into old chains.
void cutLinksBeyondCount(Database& db) {
    const std::int32_t count = std::clamp<std::int32_t>(db.maplistCount, 0, db.maplists.size());
    for (Shape& s : liveShapes(db))
        if (s.textureId >= count) s.textureId = 0;
    for (std::int32_t r = 0; r < count; ++r)
        if (db.maplists[r].next >= count) db.maplists[r].next = 0;
}

// Removes maplist record r: later records move down and every link follows them; a link
// to r itself ends its chain there. Links beyond the count name trial records, which do
// not move.
void removeMaplist(Database& db, std::int32_t r) {
    const std::int32_t count = db.maplistCount;
    std::copy(db.maplists.begin() + r + 1, db.maplists.begin() + count, db.maplists.begin() + r);
    --db.maplistCount;
    const auto follow = [&](auto& link) {
        if (link == r) {
            link = 0;
        } else if (link > r && link < count) {
            --link;
        }
    };
    for (std::int32_t i = 0; i < db.maplistCount; ++i) follow(db.maplists[i].next);
    for (Shape& s : liveShapes(db)) follow(s.textureId);
}

}  // namespace

static script::Result cmdSetMapinfo(script::Interp& in) {
    return storeCurrent(in, kMapinfos);
}
static script::Result cmdSaveMapinfo(script::Interp& in) {
    return storeInto(in, kMapinfos);
}
static script::Result cmdNumMapinfo(script::Interp& in) {
    return selectForEditing(in, kMapinfos);
}
static script::Result cmdLoadMapinfo(script::Interp& in) {
    return selectWhileLoading(in, kMapinfos);
}
static script::Result cmdSetMicount(script::Interp& in) {
    return limitCount(in, kMapinfos);
}

static script::Result cmdSetMaplist(script::Interp& in) {
    return storeCurrent(in, kMaplists);
}
static script::Result cmdSaveMaplist(script::Interp& in) {
    return storeInto(in, kMaplists);
}
static script::Result cmdLoadMaplist(script::Interp& in) {
    return selectWhileLoading(in, kMaplists);
}

static script::Result cmdNewMapinfo(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    Database& db = database(in);
    const std::int32_t capacity = capacityOf(db, kMapinfos);
    if (db.mapinfoCount >= capacity) {
        systemBox(in, kMapinfoFull, capacity);
        return kOk;
    }
    if (db.records.mapinfoPending) {
        status(in, "現在の設定の登録を済ませて下さい。（新規登録不可！） \n");
        return kOk;
    }
    db.records.mapinfoPending = true;
    const std::int32_t n = std::max(db.mapinfoCount, 0);
    db.currentMapinfo = n;
    scalarVar(in, MiPoint) = static_cast<float>(n);
    db.mapinfoCount = n + 1;
    putMapinfoRecord(in);
    status(in, "■■　マッピングパラメータ新規設定，ＯＫ！　■■ \n");
    return kOk;
}

static script::Result cmdCancelNewMapinfo(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    Database& db = database(in);
    if (!db.records.mapinfoPending) return kOk;
    db.records.mapinfoPending = false;
    if (db.mapinfoCount <= 1) return kOk;
    const std::int32_t n = db.mapinfoCount - 1;
    db.currentMapinfo = n;
    scalarVar(in, MiPoint) = static_cast<float>(n);
    db.mapinfoCount = n;
    putMapinfoRecord(in);
    return kOk;
}

static script::Result cmdInitMapinfo(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    resetMapping(in);
    database(in).records.mapinfoPending = false;
    status(in, "■■　マッピングデータベースの全初期化終了！　■■ \n");
    return kOk;
}

static script::Result cmdCapaMapinfo(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    const Database& db = database(in);
    const Remaining mi = remaining(db, kMapinfos);
    const Remaining ml = remaining(db, kMaplists);
    systemBox(in, "■■　Mapinfo(list)残り登録数: %d ( %d %% ) %d ( %d %% )　■■\n", mi.free,
              mi.percent, ml.free, ml.percent);
    return kOk;
}

static script::Result cmdLinkMapinfo(script::Interp& in) {
    std::int32_t v = 0;
    if (numberArgument(in, v) != kOk) return kFail;
    Database& db = database(in);
    if (v < 0 || v >= capacityOf(db, kMapinfos))
        return script::failSkip(in, script::msg::kValueNotCorrect);
    db.records.mapinfoPending = false;
    const std::int32_t capacity = capacityOf(db, kMaplists);
    if (db.maplistCount >= capacity) {
        systemBox(in, kMaplistFull, capacity);
        return kOk;
    }
    const Chains chains(db);
    // A copied shape shares its source's chain, so a shape whose chain ends where an
    // earlier shape's did finds the mapinfo that was just appended there: it has it
    // already. The chains are walked over the records in use before the link, so the
    // records it appends are told apart by the tails they were appended to.
    std::vector<std::int32_t> extendedTails;
    const auto linkedAlready = [&](const Shape& s) {
        if (chains.names(s, v)) return true;
        const std::int32_t last = chains.tail(s);
        return last != 0 &&
               std::find(extendedTails.begin(), extendedTails.end(), last) != extendedTails.end();
    };
    // A full store adds nothing: the records the selected shapes need (up to the first
    // shape that has the mapinfo already) must all fit before the first is written.
    std::int64_t needed = 0;
    for (const Shape& s : liveShapes(db)) {
        if (s.layer != 1) continue;
        if (linkedAlready(s)) break;
        if (const std::int32_t last = chains.tail(s); last != 0) extendedTails.push_back(last);
        ++needed;
    }
    if (db.maplistCount + needed > capacity) {
        systemBox(in, kMaplistFull, capacity);
        return kOk;
    }
    extendedTails.clear();
    db.records.linkUndoMaplists = db.maplistCount;
    db.records.linkUndoMapinfos = db.mapinfoCount;
    for (Shape& s : liveShapes(db)) {
        if (s.layer != 1) continue;
        if (linkedAlready(s)) {
            status(in, "このマッピングパラメータは既にリンクされています。 \n");
            return kOk;
        }
        const std::int32_t r = db.maplistCount;
        db.maplists[r] = {static_cast<std::int16_t>(v), 0};
        if (const std::int32_t last = chains.tail(s); last != 0) extendedTails.push_back(last);
        // The new record is not yet in use while the chain is walked to its end.
        chains.append(s, r);
        db.maplistCount = r + 1;
    }
    status(in, "■■　マッピングパラメータの形状へのリンク，ＯＫ！　■■ \n");
    return kOk;
}

static script::Result cmdUnlinkMapinfo(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    Database& db = database(in);
    db.records.mapinfoPending = false;
    const std::int32_t m = wholeNumber(scalarVar(in, MiPoint));
    const Chains chains(db);
    for (Shape& s : liveShapes(db)) {
        if (s.layer != 1) continue;
        chains.find(s, [&](std::int32_t r, std::int32_t previous) {
            if (db.maplists[r].mapinfo != m) return false;
            db.maplists[r] = {0, 0};
            if (previous == 0) {
                s.textureId = 0;
            } else {
                db.maplists[previous].next = 0;
            }
            return true;
        });
    }
    // One step back only, and never below the records that were there before the link.
    RecordCommandState& undo = db.records;
    if (undo.linkUndoMaplists >= 1)
        db.maplistCount = std::min(db.maplistCount, undo.linkUndoMaplists);
    if (undo.linkUndoMapinfos >= 1)
        db.mapinfoCount = std::min(db.mapinfoCount, undo.linkUndoMapinfos);
    undo.linkUndoMaplists = 0;
    undo.linkUndoMapinfos = 0;
    cutLinksBeyondCount(db);
    status(in, "■■　マッピングパラメータの形状リンク解除，ＯＫ！　■■ \n");
    return kOk;
}

static script::Result cmdTestMapinfo(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    Database& db = database(in);
    const std::int64_t t = std::int64_t{db.mapinfoCount} + 2;
    const std::int32_t mapinfos = capacityOf(db, kMapinfos);
    if (t < 0 || t >= mapinfos) {
        systemBox(in, kMapinfoFull, mapinfos);
        return kOk;
    }
    putMapinfoInto(in, static_cast<std::int32_t>(t));
    const std::int32_t maplists = capacityOf(db, kMaplists);
    const Chains chains(db);
    std::int64_t r = std::int64_t{db.maplistCount} + 2;
    for (Shape& s : liveShapes(db)) {
        if (s.layer != 1) continue;
        if (r < 0 || r >= maplists) {
            systemBox(in, kMaplistFull, maplists);
            break;
        }
        db.maplists[r] = {static_cast<std::int16_t>(t), 0};
        chains.append(s, static_cast<std::int32_t>(r));
        ++r;
    }
    return kOk;
}

static script::Result cmdUntestMapinfo(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    Database& db = database(in);
    const std::int64_t t = std::int64_t{db.mapinfoCount} + 2;
    if (t >= 0 && t < capacityOf(db, kMapinfos)) getMapinfoFrom(in, static_cast<std::int32_t>(t));
    const Chains chains(db);
    for (Shape& s : liveShapes(db)) {
        if (s.layer != 1) continue;
        if (chains.head(s) == 0) {
            s.textureId = 0;
            continue;
        }
        const std::int32_t last = chains.tail(s);
        db.maplists[last].next = 0;
    }
    return kOk;
}

static script::Result cmdDelMaplist(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    Database& db = database(in);
    db.maplistCount = std::clamp<std::int32_t>(db.maplistCount, 0, db.maplists.size());
    std::int32_t r = 1;
    while (r < db.maplistCount) {
        const Maplist& m = db.maplists[r];
        if (m.mapinfo == 0 && m.next == 0) {
            removeMaplist(db, r);
        } else {
            ++r;
        }
    }
    status(in, "■■　無効マッピングリンクリストの削除，ＯＫ！　■■ \n");
    return kOk;
}

namespace {
const std::array<script::CommandRow, 17> kCommands{{
    {"set.mapinfo", cmdSetMapinfo},
    {"new.mapinfo", cmdNewMapinfo},
    {"cancel.new.mapinfo", cmdCancelNewMapinfo},
    {"num.mapinfo", cmdNumMapinfo},
    {"load.mapinfo", cmdLoadMapinfo},
    {"link.mapinfo", cmdLinkMapinfo},
    {"test.mapinfo", cmdTestMapinfo},
    {"untest.mapinfo", cmdUntestMapinfo},
    {"unlink.mapinfo", cmdUnlinkMapinfo},
    {"init.mapinfo", cmdInitMapinfo},
    {"capa.mapinfo", cmdCapaMapinfo},
    {"set.micount", cmdSetMicount},
    {"set.maplist", cmdSetMaplist},
    {"load.maplist", cmdLoadMaplist},
    {"del.maplist", cmdDelMaplist},
    {"save.mapinfo", cmdSaveMapinfo},
    {"save.maplist", cmdSaveMaplist},
}};
}  // namespace

std::span<const script::CommandRow> mappingCommands() {
    return kCommands;
}

}  // namespace rz::db
