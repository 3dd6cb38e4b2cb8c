#include "geometry/motion_commands.hpp"

#include <algorithm>
#include <array>
#include <string_view>

#include "db/current_records.hpp"
#include "geometry/bounding_box.hpp"
#include "geometry/joint_walk.hpp"
#include "geometry/truncate.hpp"
#include "math/matrix_math.hpp"
#include "script/arguments.hpp"
#include "script/messages.hpp"
#include "script/statement.hpp"

namespace rz::geometry {
namespace {

using script::kFail;
using script::kOk;
using script::Tok;

constexpr std::string_view kNoBlock = "パーツブロックが存在していません！";
constexpr std::string_view kNoRigid = "関節点が存在していません！";
constexpr std::string_view kNotJoined = "そのパーツは選択された関節点につながっていません！";
constexpr std::string_view kNoRigidSelected = "関節点が選択されていません！";
constexpr std::string_view kCircular = "運動モデル間のパーツ接続が循環状態になります。";

// What a pose does to the block of each task: turn it about the joint by the angles, or
// move the joint by the offset.
enum class Pose { Turn, Move };

struct PoseArguments {
    int rigid = 0;
    int block = 0;
    Vec3 amount{};
};

// A record number: a number, a named constant, a scalar variable or "@name" of the kind.
script::Result recordNumber(script::Interp& in, Tok nameRef, int& out) {
    const Tok t = in.next();
    if (t == nameRef) {
        out = truncateToInt(in.lex.number());
        return kOk;
    }
    if (t == Tok::Number || t == Tok::Constant) {
        out = truncateToInt(in.lex.number());
        return kOk;
    }
    if (t == Tok::Scalar) {
        out = truncateToInt(in.sym.scalar(in.lex.symbol()));
        return kOk;
    }
    return script::failSkip(in, script::msg::kBadParam);
}

// A value: a number (with its sign), a named constant or a scalar variable.
script::Result value(script::Interp& in, float& out) {
    Tok t = in.next();
    const bool negative = t == Tok::Minus;
    if (negative) t = in.next();
    if (t == Tok::Number || (!negative && t == Tok::Constant)) {
        out = negative ? -in.lex.number() : in.lex.number();
        return kOk;
    }
    if (t == Tok::Scalar && !negative) {
        out = in.sym.scalar(in.lex.symbol());
        return kOk;
    }
    return script::failSkip(in, script::msg::kBadParam);
}

// r, b, x, y, z; then the checks both poses share.
script::Result poseArguments(script::Interp& in, PoseArguments& a) {
    if (recordNumber(in, Tok::RigidRef, a.rigid) != kOk) return kFail;
    if (script::expectComma(in) != kOk) return kFail;
    if (recordNumber(in, Tok::BlockRef, a.block) != kOk) return kFail;
    for (float& c : a.amount) {
        if (script::expectComma(in) != kOk) return kFail;
        if (value(in, c) != kOk) return kFail;
    }
    if (script::expectEnd(in) != kOk) return kFail;
    const db::Database& db = db::database(in);
    if (!blockInUse(db, a.block)) return script::fail(in, kNoBlock);
    if (!rigidInUse(db, a.rigid)) return script::fail(in, kNoRigid);
    const db::Rigid& r = db.rigids[a.rigid];
    if (r.block1 != a.block && r.block2 != a.block) return script::fail(in, kNotJoined);
    return kOk;
}

// Rx(a.x) · Ry(a.y) · Rz(a.z), degrees.
Mat4 turnOf(const Vec3& a) {
    return multiply(multiply(rotation(RotationAxis::X, a[0]), rotation(RotationAxis::Y, a[1])),
                    rotation(RotationAxis::Z, a[2]));
}

// Poses the block of the task about its joint and carries the joints beyond it along; the
// tasks of the blocks beyond join the walk. A task whose block is gone is passed over.
script::Result poseTask(script::Interp& in, JointWalk& walk, const db::JointTask& task, Pose how,
                        const Vec3& amount, const Mat4& turn) {
    db::Database& db = db::database(in);
    if (!blockInUse(db, task.block)) {
        in.msg.console(kNoBlock);
        return kOk;
    }
    if (!rigidInUse(db, task.rigid)) {
        in.msg.formatBuffer("PROGRAM error!: cr_id(%d), DBm->rigidcount(%d)", task.rigid,
                            db.rigidCount);
        in.msg.console(in.msg.buffer());
        return kFail;
    }
    db::Rigid& joint = db.rigids[task.rigid];
    db::Block& block = db.blocks[task.block];
    if (how == Pose::Move) joint.pos = narrow(widen(joint.pos) + widen(amount));
    block.center = joint.old;
    block.trans = narrow(widen(joint.pos) - widen(joint.old));
    Mat4 carry = kIdentity;
    if (how == Pose::Turn) {
        block.matrix = multiply(block.matrix, turn);
        const Vec3d pos = widen(joint.pos);
        carry = multiply(
            multiply(multiply(translation(pos - widen(joint.tmp)), translation(pos * -1.0)), turn),
            translation(pos));
        db.geometry.center = joint.pos;
        block.xyzrot = narrow(widen(block.xyzrot) + widen(amount));
    }
    script::Result result = kOk;
    forEachJointOf(db, task.block, [&](int next) {
        if (result != kOk || next == task.rigid) return;
        int beyond = 0;
        if (!blockBeyond(in, task.block, next, beyond)) {
            result = kFail;
            return;
        }
        if (how == Pose::Turn) db.rigids[next].pos = transformPoint(db.rigids[next].pos, carry);
        if (!walk.push({next, beyond})) result = script::fail(in, kCircular);
    });
    return result;
}

script::Result pose(script::Interp& in, Pose how) {
    PoseArguments a;
    if (poseArguments(in, a) != kOk) return kFail;
    db::Database& db = db::database(in);
    db.geometry.current = kIdentity;
    const int rigids = static_cast<int>(std::min<std::int64_t>(db.rigidCount, db.rigids.size()));
    for (int r = 0; r < rigids; ++r) db.rigids[r].tmp = db.rigids[r].pos;
    if (how == Pose::Turn)
        for (db::Block& b : std::span(db.blocks).first(
                 static_cast<std::size_t>(std::min<std::int64_t>(db.blockCount, db.blocks.size()))))
            b.xyztmp = b.xyzrot;
    const Mat4 turn = how == Pose::Turn ? turnOf(a.amount) : kIdentity;
    JointWalk walk(db);
    if (!walk.push({a.rigid, a.block})) return script::fail(in, kCircular);
    for (db::JointTask task; walk.next(task);)
        if (poseTask(in, walk, task, how, a.amount, turn) != kOk) return kFail;
    return kOk;
}

}  // namespace

static script::Result cmdMotion(script::Interp& in) {
    return pose(in, Pose::Turn);
}

static script::Result cmdMoverigid(script::Interp& in) {
    return pose(in, Pose::Move);
}

// Every block reached from the current rigid, every rigid crossed and every shape of a
// reached block become active, and the abox encloses the reached blocks.
static script::Result cmdRigidBbox(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    db::Database& db = db::database(in);
    const int current = db.currentRigid;
    if (!rigidInUse(db, current)) return script::fail(in, kNoRigidSelected);
    JointWalk walk(db);
    const db::Rigid& start = db.rigids[current];
    db.rigids[current].layer = db::kLayerActive;
    if (!walk.push({current, start.block1}) || !walk.push({current, start.block2}))
        return script::fail(in, kCircular);
    script::Result result = kOk;
    for (db::JointTask task; result == kOk && walk.next(task);) {
        if (!blockInUse(db, task.block)) continue;
        db.blocks[task.block].layer = db::kLayerActive;
        forEachJointOf(db, task.block, [&](int next) {
            if (result != kOk || next == task.rigid) return;
            int beyond = 0;
            if (!blockBeyond(in, task.block, next, beyond)) {
                result = kFail;
                return;
            }
            db.rigids[next].layer = db::kLayerActive;
            if (!walk.push({next, beyond})) result = script::fail(in, kCircular);
        });
    }
    if (result != kOk) return kFail;

    // The blocks reached, sorted, so each shape finds whether its block is one of them.
    const std::span<db::JointTask> reached = walk.taken();
    const auto byBlock = [](const db::JointTask& x, const db::JointTask& y) {
        return x.block < y.block;
    };
    std::sort(reached.begin(), reached.end(), byBlock);
    const auto isReached = [&](std::uint32_t block) {
        return std::binary_search(reached.begin(), reached.end(),
                                  db::JointTask{0, static_cast<std::int32_t>(block)}, byBlock);
    };
    const int shapes = static_cast<int>(std::min<std::int64_t>(db.shapeCount, db.shapes.size()));
    for (int i = 0; i < shapes; ++i)
        if (isReached(db.shapes[i].shapeId)) db.shapes[i].layer = db::kLayerActive;

    resetAbox(db.boxCursor, kBlockBoxSentinel);
    db::BoxCursorState& box = db.boxCursor;
    for (const db::JointTask& t : reached) {
        if (!blockInUse(db, t.block)) continue;
        const db::Block& b = db.blocks[t.block];
        for (int c = 0; c < 3; ++c) {
            box.aboxMin[c] = std::min(box.aboxMin[c], b.xyzmin[c]);
            box.aboxMax[c] = std::max(box.aboxMax[c], b.xyzmax[c]);
        }
    }
    return kOk;
}

namespace {
const std::array<script::CommandRow, 3> kCommands{{
    {"motion", cmdMotion},
    {"moverigid", cmdMoverigid},
    {"rigid.bbox", cmdRigidBbox},
}};
}  // namespace

std::span<const script::CommandRow> motionCommands() {
    return kCommands;
}

}  // namespace rz::geometry
