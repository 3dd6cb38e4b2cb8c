#pragma once
// Walking a figure through the joint graph: blocks are its nodes, rigids its edges, and each
// block's rlink chain lists the rigids that meet at it. The walks share one work list
// allocated at start-up with one entry more than there are rigids: tasks are appended and
// taken in order and keep their entries, so the entries taken are the blocks reached. In a
// forest a walk from one joint never needs more entries than that; a graph a loaded file
// left with a cycle fills the list and the walk is refused instead of running on.

#include <algorithm>
#include <cstddef>
#include <span>

#include "db/database.hpp"
#include "script/interp.hpp"

namespace rz::geometry {

class JointWalk {
  public:
    explicit JointWalk(db::Database& db) : tasks_(db.jointTasks) {}

    // False, with nothing added, when the list is full.
    bool push(db::JointTask task);
    // The next task not yet taken; false when there is none.
    bool next(db::JointTask& task);
    std::span<db::JointTask> taken() const { return tasks_.first(taken_); }

  private:
    std::span<db::JointTask> tasks_;
    std::size_t size_ = 0;
    std::size_t taken_ = 0;
};

bool blockInUse(const db::Database& db, int block);
bool rigidInUse(const db::Database& db, int rigid);

// Calls f(rigid) for every rigid in use that block's rlink chain names. A link outside the
// rlinks in use ends the chain, and no walk takes more steps than there are rlinks.
template <class F>
void forEachJointOf(const db::Database& db, int block, F f) {
    const std::int64_t rlinks = std::min<std::int64_t>(db.rlinkCount, db.rlinks.size());
    std::int64_t l = db.blocks[block].rlinkId;
    for (std::int64_t steps = 0; l >= 0 && l < rlinks && steps < rlinks; ++steps) {
        if (rigidInUse(db, db.rlinks[l].rigid)) f(static_cast<int>(db.rlinks[l].rigid));
        l = db.rlinks[l].next;
    }
}

// The block on the other side of a rigid from `block`; false after the message when the
// rigid does not join that block to another one.
bool blockBeyond(script::Interp& in, int block, int rigid, int& other);

}  // namespace rz::geometry
