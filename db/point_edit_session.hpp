#pragma once
// The shape-point editor's session: which shape is edited, where its points are, which one
// is current, and the moves that can still be undone. The edits themselves are records of
// the vertex-edit list; this only says how to take them back.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "math/value_types.hpp"

namespace rz::db {

// One move of a point: the edit record it changed and that record's displacement before.
struct PointEditMove {
    std::int32_t point = 0;
    std::int32_t record = 0;
    Vec3 before{};
    bool created = false;  // the move appended the record
};

// What cancel puts back: a record the shape's list held when the session began.
struct PointEditKept {
    std::int32_t record = 0;
    Vec3 displacement{};
};

struct PointEditSession {
    // Older moves than this many fall out of the undo history (cancel still takes them back).
    static constexpr std::size_t kUndoDepth = 1000;

    bool active = false;
    std::int32_t shape = -1;
    std::int32_t current = 0;
    std::uint32_t headAtBegin = 0xFFFFFFFFu;
    std::vector<PointEditKept> kept;
    std::vector<Vec3> base;    // the vertices as expansion gives them, in world coordinates
    std::vector<Vec3> points;  // the same with the shape's edits added
    std::vector<PointEditMove> moves;
};

}  // namespace rz::db
