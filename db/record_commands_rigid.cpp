#include "db/record_commands_rigid.hpp"

#include <algorithm>
#include <array>
#include <cstdio>
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

const RecordFamily kRigids{
    &Database::rigidCount,
    &Capacities::rigidmax,
    &Database::currentRigid,
    [](const Database& db) { return db.rigids.size(); },
    kInt16Records,  // rlinks name their rigid in 16 bits
    RigidPoint,
    putRigidRecord,
    selectRigid,
    "■■　関節点設定パラメータ設定，ＯＫ！　■■ \n",
    "WARNING!!: 関節情報番号が負値になっています。（修正済）",
    "WARNING!!: 関節情報番号が設定数を超えています。（修正済）",
    "■■　関節点設定パラメータの選択，ＯＫ！　■■ \n",
    {},
    NumLimit::CountMinus1,
    LoadBaseRule::Always,
    &LoadBases::rigid,
    1,
    script::Tok::RigidRef,
};

const RecordFamily kRlinks{
    &Database::rlinkCount,
    &Capacities::rlinkmax,
    &Database::currentRlink,
    [](const Database& db) { return db.rlinks.size(); },
    kInt16Records,  // chains link their records in 16 bits
    RlinkPoint,
    putRlinkRecord,
    selectRlink,
    "■■　関節リンク設定パラメータ設定，ＯＫ！　■■ \n",
    {},
    {},
    {},
    "■■　関節リンク設定パラメータの選択，ＯＫ！　■■ \n",
    NumLimit::Count,
    LoadBaseRule::FromTwo,
    &LoadBases::rlink,
    1,
};

constexpr int kRigidNameSlot = stringSlot("rigid.name");
static_assert(kRigidNameSlot > 0);

constexpr std::string_view kNoBlock = "パーツブロックが存在していません！";
constexpr std::string_view kConnected = "このパーツ間には既に関節点が存在しています。";
constexpr std::string_view kCycle = "運動モデル間のパーツ接続が循環状態になります。";

// The joint graph: blocks are its nodes, rigids its edges, and each block's rlink chain
// lists the rigids that meet at it. Only rigids below `rigids` count as edges; a chain
// link outside the rlinks in use ends the chain, and no chain walk runs longer than there
// are rlinks, so the graph can be walked whatever a loaded file left in it.
class JointGraph {
  public:
    enum class Result { Free, Connected, Cycle, NoBlock, Broken };

    JointGraph(script::Interp& in, std::int32_t rigids)
        : in_(in),
          db_(database(in)),
          blocks_(std::clamp<std::int32_t>(db_.blockCount, 0, db_.blocks.size())),
          rigids_(std::clamp<std::int32_t>(rigids, 0, db_.rigids.size())),
          rlinks_(std::clamp<std::int32_t>(db_.rlinkCount, 0, db_.rlinks.size())) {}

    // Whether `target` can be reached from `start`, and whether a walk from `start` comes
    // back to it over another joint than the one it left by. The walk goes round the tree
    // of `start` taking at each block the joint after the one it came by in the block's
    // chain, which visits every block of a tree without keeping a path, and comes back to
    // the first joint of `start` when the tree has been walked.
    Result walk(std::int32_t start, std::int32_t target) const {
        if (start < 0 || start >= blocks_) return Result::NoBlock;
        const std::int32_t first = firstEntry(start);
        if (first < 0) return Result::Free;
        std::int32_t cur = start;
        std::int32_t e = first;
        std::int32_t leftBy = rigidOf(first);
        const std::int64_t bound = 2 * std::int64_t{rlinks_} + 2;
        for (std::int64_t step = 0; step < bound; ++step) {
            const std::int32_t r = rigidOf(e);
            std::int32_t other = 0;
            if (!otherBlock(cur, r, other)) return Result::Broken;
            if (other == target) return Result::Connected;
            // A joint whose far block is gone, or whose far block does not list it, is
            // turned back at like the end of a branch.
            std::int32_t at = cur;
            std::int32_t pos = e;
            if (other >= 0 && other < blocks_) {
                if (const std::int32_t p = entryNaming(other, r); p >= 0) {
                    at = other;
                    pos = p;
                }
            }
            if (at == start) {
                if (at == other && r != leftBy) return Result::Cycle;
                e = nextEntry(start, pos);
                if (e == first) return Result::Free;
                cur = start;
                leftBy = rigidOf(e);
                continue;
            }
            cur = at;
            e = nextEntry(at, pos);
        }
        return Result::Cycle;
    }

  private:
    bool validRlink(std::int32_t l) const { return l >= 0 && l < rlinks_; }
    bool validRigid(std::int32_t r) const { return r >= 0 && r < rigids_; }
    std::int32_t rigidOf(std::int32_t l) const { return db_.rlinks[l].rigid; }
    std::int32_t linkAfter(std::int32_t l) const {
        const std::int32_t n = db_.rlinks[l].next;
        return validRlink(n) ? n : -1;
    }
    std::int32_t head(std::int32_t block) const {
        const std::int32_t h = db_.blocks[block].rlinkId;
        return validRlink(h) ? h : -1;
    }

    // The first entry from l on (l included) that names a rigid, or -1.
    std::int32_t entryFrom(std::int32_t l) const {
        for (std::int32_t steps = 0; l >= 0 && steps < rlinks_; l = linkAfter(l), ++steps)
            if (validRigid(rigidOf(l))) return l;
        return -1;
    }
    std::int32_t firstEntry(std::int32_t block) const { return entryFrom(head(block)); }
    // The entry after l in the block's chain, the first one again after the last.
    std::int32_t nextEntry(std::int32_t block, std::int32_t l) const {
        const std::int32_t after = linkAfter(l) >= 0 ? entryFrom(linkAfter(l)) : -1;
        return after >= 0 ? after : firstEntry(block);
    }
    std::int32_t entryNaming(std::int32_t block, std::int32_t r) const {
        std::int32_t l = head(block);
        for (std::int32_t steps = 0; l >= 0 && steps < rlinks_; l = linkAfter(l), ++steps)
            if (rigidOf(l) == r) return l;
        return -1;
    }

    // The block on the other side of rigid r from block b. A rigid in b's chain must join
    // b to another block; one that does not is reported.
    bool otherBlock(std::int32_t b, std::int32_t r, std::int32_t& other) const {
        const Rigid& rigid = db_.rigids[r];
        const bool first = rigid.block1 == b;
        const bool second = rigid.block2 == b;
        if (first == second) {
            systemBox(in_, "error!: cd_id(%d), rr_id(%d), block_id[]: %d %d", b, r, rigid.block1,
                      rigid.block2);
            return false;
        }
        other = first ? rigid.block2 : rigid.block1;
        return true;
    }

    script::Interp& in_;
    const Database& db_;
    std::int32_t blocks_;
    std::int32_t rigids_;
    std::int32_t rlinks_;
};

// The rlink chain of a block, for changes: links outside the rlinks in use end it.
std::int32_t chainTail(const Database& db, std::int32_t block) {
    const auto valid = [&](std::int32_t l) { return l >= 0 && l < db.rlinkCount; };
    std::int32_t l = db.blocks[block].rlinkId;
    if (!valid(l)) return -1;
    for (std::int32_t steps = 0; steps < db.rlinkCount && valid(db.rlinks[l].next); ++steps)
        l = db.rlinks[l].next;
    return l;
}

void appendToChain(Database& db, std::int32_t block, std::int32_t l) {
    const std::int32_t last = chainTail(db, block);
    if (last < 0) {
        db.blocks[block].rlinkId = static_cast<std::int16_t>(l);
    } else {
        db.rlinks[last].next = static_cast<std::int16_t>(l);
    }
}

// Removes rlink record l: later records move down and every chain link and block head
// follows them.
void removeRlink(Database& db, std::int32_t l) {
    const std::int32_t count = db.rlinkCount;
    std::copy(db.rlinks.begin() + l + 1, db.rlinks.begin() + count, db.rlinks.begin() + l);
    db.rlinkCount = count - 1;
    const auto follow = [&](std::int16_t& link) {
        if (link == l) {
            link = -1;
        } else if (link > l && link < count) {
            --link;
        }
    };
    for (std::int32_t i = 0; i < db.rlinkCount; ++i) follow(db.rlinks[i].next);
    const auto blocks = std::clamp<std::int64_t>(db.blockCount, 0, db.blocks.size());
    for (std::int64_t b = 0; b < blocks; ++b) follow(db.blocks[b].rlinkId);
}

// Takes rigid r out of the block's chain.
void detach(Database& db, std::int32_t block, std::int32_t r) {
    const auto valid = [&](std::int32_t l) { return l >= 0 && l < db.rlinkCount; };
    std::int32_t previous = -1;
    std::int32_t l = db.blocks[block].rlinkId;
    for (std::int32_t steps = 0; valid(l) && steps < db.rlinkCount; ++steps) {
        const std::int32_t after = db.rlinks[l].next;
        if (db.rlinks[l].rigid == r) {
            const auto rest = static_cast<std::int16_t>(valid(after) ? after : -1);
            if (previous < 0) {
                db.blocks[block].rlinkId = rest;
            } else {
                db.rlinks[previous].next = rest;
            }
            removeRlink(db, l);
            return;
        }
        previous = l;
        l = after;
    }
}

// The centre of the overlap of two ranges, or of the gap between them: the mean of the
// two middle values of the four ends, which are the larger low end and the smaller high end.
float jointCoordinate(float a0, float a1, float b0, float b1) {
    const float low = std::max(std::min(a0, a1), std::min(b0, b1));
    const float high = std::min(std::max(a0, a1), std::max(b0, b1));
    return (low + high) / 2.0f;
}

}  // namespace

static script::Result cmdSetRigid(script::Interp& in) {
    return storeCurrent(in, kRigids);
}
static script::Result cmdSaveRigid(script::Interp& in) {
    return storeInto(in, kRigids);
}
static script::Result cmdNumRigid(script::Interp& in) {
    return selectForEditing(in, kRigids);
}
static script::Result cmdLoadRigid(script::Interp& in) {
    return selectWhileLoading(in, kRigids);
}
static script::Result cmdSetRigidcount(script::Interp& in) {
    return limitCount(in, kRigids);
}

static script::Result cmdSetRlink(script::Interp& in) {
    return storeCurrent(in, kRlinks);
}
static script::Result cmdSaveRlink(script::Interp& in) {
    return storeInto(in, kRlinks);
}
static script::Result cmdLoadRlink(script::Interp& in) {
    return selectWhileLoading(in, kRlinks);
}
static script::Result cmdSetRlinkcount(script::Interp& in) {
    return limitCount(in, kRlinks);
}

static script::Result cmdCapaRigid(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    const Database& db = database(in);
    const Remaining r = remaining(db, kRigids);
    const Remaining l = remaining(db, kRlinks);
    systemBox(in, "■■　関節点設定(リンク)残り登録数: %d ( %d %% ) %d ( %d %% )　■■ \n", r.free,
              r.percent, l.free, l.percent);
    return kOk;
}

static script::Result cmdNewRigid(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    Database& db = database(in);
    const std::int32_t rigidCapacity = capacityOf(db, kRigids);
    if (db.rigidCount >= rigidCapacity) {
        systemBox(in, " 関節点設定データ登録がオーバーフローしました！ ( %d ) \n", rigidCapacity);
        return kOk;
    }
    const std::int32_t k = std::max(db.rigidCount, 0);
    const std::int32_t previous = db.currentRigid;
    float& point = scalarVar(in, RigidPoint);
    const float previousPoint = point;
    db.currentRigid = k;
    point = static_cast<float>(k);
    db.rigidCount = k + 1;
    // A refused joint leaves the rigids as they were, the point variable included.
    const auto undo = [&] {
        db.rigidCount = k;
        db.currentRigid = previous;
        point = previousPoint;
    };

    const std::int32_t rlinkCapacity = capacityOf(db, kRlinks);
    if (db.rlinkCount + 2 >= rlinkCapacity) {
        systemBox(in, " 関節リンクデータ登録がオーバーフローしました！ ( %d ) \n", rlinkCapacity);
        undo();
        return kOk;
    }

    const std::int32_t a = wholeNumber(scalarVar(in, RigidBlock1));
    const std::int32_t b = wholeNumber(scalarVar(in, RigidBlock2));
    const JointGraph graph(in, k);
    using Result = JointGraph::Result;
    // A rigid from a block to itself would be a loop of one joint, and every later walk
    // through that block would stop at it.
    Result result = a == b ? Result::Cycle : graph.walk(a, b);
    if (result == Result::Free) result = graph.walk(b, a);
    if (result != Result::Free) {
        undo();
        switch (result) {
            case Result::NoBlock:
                return script::failSkip(in, kNoBlock);
            case Result::Connected:
                return script::failSkip(in, kConnected);
            case Result::Cycle:
                return script::failSkip(in, kCycle);
            default:
                return script::failSkipQuiet(in);
        }
    }

    const Block& ba = db.blocks[a];
    const Block& bb = db.blocks[b];
    Vec3 joint{};
    for (int c = 0; c < 3; ++c)
        joint[c] = jointCoordinate(ba.xyzmin[c], ba.xyzmax[c], bb.xyzmin[c], bb.xyzmax[c]);
    vectorVar(in, RigidPos) = joint;
    vectorVar(in, RigidOld) = joint;

    const std::int32_t l = db.rlinkCount;
    db.rlinks[l] = {static_cast<std::int16_t>(k), -1};
    db.rlinks[l + 1] = {static_cast<std::int16_t>(k), -1};
    appendToChain(db, a, l);
    appendToChain(db, b, l + 1);
    db.rlinkCount = l + 2;

    // Rigid names count the rigids from 1, so the name takes the count, which already
    // includes this rigid, and not its 0-based number.
    std::array<char, 32> name{};
    std::snprintf(name.data(), name.size(), "Rigid(%d)", db.rigidCount);
    in.sym.setSlotText(kRigidNameSlot, name.data());
    putRigidRecord(in);
    status(in, "■■　関節点設定パラメータ新規設定，ＯＫ！　■■ \n");
    return kOk;
}

static script::Result cmdUnlinkRigid(script::Interp& in) {
    std::int32_t n = 0;
    if (numberArgument(in, n) != kOk) return kFail;
    Database& db = database(in);
    const std::int32_t count = countOf(db, kRigids);
    if (n < 0 || n >= count) return script::failSkip(in, script::msg::kValueNotCorrect);

    db.rlinkCount = std::clamp<std::int32_t>(db.rlinkCount, 0, db.rlinks.size());
    const Rigid gone = db.rigids[n];
    const auto blocks = std::clamp<std::int64_t>(db.blockCount, 0, db.blocks.size());
    for (const std::int32_t block : {std::int32_t{gone.block1}, std::int32_t{gone.block2}})
        if (block < blocks) detach(db, block, n);

    std::copy(db.rigids.begin() + n + 1, db.rigids.begin() + count, db.rigids.begin() + n);
    db.rigidCount = count - 1;
    for (std::int32_t i = 0; i < db.rlinkCount; ++i) {
        std::int16_t& r = db.rlinks[i].rigid;
        if (r == n) {
            r = -1;
        } else if (r > n) {
            --r;
        }
    }
    const auto actors = std::clamp<std::int64_t>(db.actorCount, 0, db.actors.size());
    for (std::int64_t i = 0; i < actors; ++i) {
        std::uint16_t& start = db.actors[i].startRigid;
        if (start == n) {
            start = 0;
        } else if (start > n) {
            --start;
        }
    }
    status(in, "■■　関節点設定解除，ＯＫ！　■■ \n");
    return kOk;
}

static script::Result cmdInitRigid(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    Database& db = database(in);
    db.rigidCount = 0;
    selectRigid(in, 0);
    vectorVar(in, RigidPos) = Vec3{};
    scalarVar(in, RigidBlock1) = 0.0f;
    scalarVar(in, RigidBlock2) = 0.0f;
    scalarVar(in, RigidActor) = -1.0f;
    scalarVar(in, RigidLayer) = 0.0f;
    for (std::size_t i = 0; i < db.rigids.size(); ++i) {
        db.currentRigid = static_cast<std::int32_t>(i);
        putRigidRecord(in);
        db.rigids[i].layer = 0;
    }
    db.currentRigid = 0;
    for (Block& b : db.blocks) b.rlinkId = -1;
    // No block lists a joint any more, so no rlink is in use either.
    db.rlinkCount = 0;
    status(in, "■■　関節点設定データベースの全初期化終了！　■■ \n");
    return kOk;
}

namespace {
const std::array<script::CommandRow, 13> kCommands{{
    {"set.rigid", cmdSetRigid},
    {"save.rigid", cmdSaveRigid},
    {"new.rigid", cmdNewRigid},
    {"unlink.rigid", cmdUnlinkRigid},
    {"num.rigid", cmdNumRigid},
    {"load.rigid", cmdLoadRigid},
    {"init.rigid", cmdInitRigid},
    {"capa.rigid", cmdCapaRigid},
    {"set.rigidcount", cmdSetRigidcount},
    {"set.rlink", cmdSetRlink},
    {"load.rlink", cmdLoadRlink},
    {"save.rlink", cmdSaveRlink},
    {"set.rlinkcount", cmdSetRlinkcount},
}};
}  // namespace

std::span<const script::CommandRow> rigidCommands() {
    return kCommands;
}

}  // namespace rz::db
