#pragma once
// The single-step undo of geometry creation: the counts are remembered before something is
// created and lowered back to them on undo.

#include <algorithm>

#include "db/database.hpp"

namespace rz::db {

inline void takeUndoPoint(Database& db) {
    db.undoPoint = {true,          db.axisCount,  db.patchCount,
                    db.shapeCount, db.blockCount, db.affineCount};
}

// Counts only go down: when the model has shrunk below the point since (a reset, a delete),
// raising a count again would bring back records that are no longer consistent.
inline void undoToPoint(Database& db) {
    const UndoPoint& u = db.undoPoint;
    if (!u.set) return;
    db.axisCount = std::min(db.axisCount, u.axis);
    db.patchCount = std::min(db.patchCount, u.patch);
    db.shapeCount = std::min(db.shapeCount, u.shape);
    db.blockCount = std::min(db.blockCount, u.block);
    db.affineCount = std::min(db.affineCount, u.affine);
}

}  // namespace rz::db
