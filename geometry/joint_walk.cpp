#include "geometry/joint_walk.hpp"

#include <algorithm>

#include "db/current_records.hpp"

namespace rz::geometry {

bool JointWalk::push(db::JointTask task) {
    if (size_ >= tasks_.size()) return false;
    tasks_[size_++] = task;
    return true;
}

bool JointWalk::next(db::JointTask& task) {
    if (taken_ >= size_) return false;
    task = tasks_[taken_++];
    return true;
}

bool blockInUse(const db::Database& db, int block) {
    return block >= 0 && block < std::min<std::int64_t>(db.blockCount, db.blocks.size());
}

bool rigidInUse(const db::Database& db, int rigid) {
    return rigid >= 0 && rigid < std::min<std::int64_t>(db.rigidCount, db.rigids.size());
}

bool blockBeyond(script::Interp& in, int block, int rigid, int& other) {
    const db::Rigid& r = db::database(in).rigids[rigid];
    const bool first = r.block1 == block;
    if (first == (r.block2 == block)) {
        in.msg.formatBuffer("error!: cd_id(%d), rr_id(%d), block_id[]: %d %d", block, rigid,
                            r.block1, r.block2);
        in.msg.errorBox(in.msg.buffer());
        return false;
    }
    other = first ? r.block2 : r.block1;
    return true;
}

}  // namespace rz::geometry
