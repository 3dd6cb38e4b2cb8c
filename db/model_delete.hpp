#pragma once
// Deleting shapes, and with them blocks, joints, attributes and mappings. Every store is
// compacted in one pass and every reference into it renumbered, so a deletion costs time in
// proportion to the model, and no record is left naming one that is gone.

#include <cstdint>

#include "db/database.hpp"

namespace rz::db {

enum class DeleteScope {
    Geometry,  // the shapes with their axes, patch entries and matrices
    Blocks,    // and then the blocks of the layer, with the joints that use them
    AllInfo,   // and the shapes' attributes, mapping chains, mapinfos and images too
};

// Deletes every shape whose layer state is `layer` in the given scope.
//
// Records shared with a shape that stays are kept: an axis, a patch entry or a matrix goes
// only when no remaining shape uses it. A deleted block takes with it every rigid that
// joins it and the rlinks naming those rigids; rlink chains close over the gap, and an
// actor whose start rigid went starts at its first remaining rigid (rigid 0 when none is
// left). The undo point and the link undo are renumbered with their stores, so that an undo
// after a deletion still takes away only what was made after the point.
void deleteShapes(Database& db, int layer, DeleteScope scope);

// Blocks from 1 on that no shape belongs to get layer state 1, the others 0.
void markEmptyBlocks(Database& db);

// Deletes every block from 1 on whose layer state is `layer`: shapes of a deleted block go
// to block 0, rigids that join it go as above, and everything naming a later block follows
// it down. Gives where block `follow` ended up, or -1 when it was deleted itself.
int deleteBlocks(Database& db, int layer, int follow = -1);

// After the block count was lowered (an undo): rigids that join a block past the count go
// with their rlinks as above, shapes of such blocks go to block 0, and current records past
// their counts go back to 0.
void dropReferencesPastCounts(Database& db);

}  // namespace rz::db
