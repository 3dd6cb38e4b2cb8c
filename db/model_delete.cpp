#include "db/model_delete.hpp"

#include <algorithm>
#include <cstring>
#include <span>
#include <vector>

#include "db/compaction.hpp"

namespace rz::db {
namespace {

// Calls f with the position of every vertex entry of the shape's face runs: a run is -n
// followed by n vertex numbers; entries that are not a run's count are passed over.
template <class F>
void forEachVertexEntry(const Database& db, const Shape& s, std::int32_t patchCount, F&& f) {
    const std::int64_t end =
        std::min<std::int64_t>(std::int64_t{s.patchId} + s.patchTotal, patchCount);
    std::int64_t pos = s.patchId;
    while (pos < end) {
        const std::int64_t head = db.patches[static_cast<std::size_t>(pos++)];
        if (head >= 0) continue;
        for (std::int64_t k = 0; k < -head && pos < end; ++k, ++pos) f(pos);
    }
}

// Removes the rigids for which goes(rigid) holds and the rlinks that name them. Chains
// close over removed rlinks (a block or rlink that named one names the next remaining one
// of the chain), and an actor whose start rigid went starts at its first remaining rigid.
template <class F>
void dropJoints(Database& db, F&& goes) {
    const std::int32_t rigidCount = liveCount(db.rigidCount, db.rigids);
    const std::int32_t rlinkCount = liveCount(db.rlinkCount, db.rlinks);
    const std::int32_t blockCount = liveCount(db.blockCount, db.blocks);
    const std::int32_t actorCount = liveCount(db.actorCount, db.actors);
    Compaction rigids(rigidCount);
    for (std::int32_t i = 0; i < rigidCount; ++i)
        if (goes(db.rigids[static_cast<std::size_t>(i)])) rigids.remove(i);
    Compaction links(rlinkCount);
    for (std::int32_t j = 0; j < rlinkCount; ++j) {
        const std::int16_t r = db.rlinks[static_cast<std::size_t>(j)].rigid;
        if (r != -1 && (!rigids.inside(r) || rigids.removed(r))) links.remove(j);
    }
    rigids.number();
    links.number();

    // Reads only the next fields of removed rlinks, which stay as they are until the
    // compaction, so kept rlinks can be rewritten while chains are followed.
    const auto firstKept = [&](std::int16_t start) -> std::int16_t {
        std::int64_t k = start;
        for (std::int32_t steps = 0; steps <= rlinkCount; ++steps) {
            if (!links.inside(k)) return -1;
            if (!links.removed(k)) return static_cast<std::int16_t>(links.to(k));
            k = db.rlinks[static_cast<std::size_t>(k)].next;
        }
        return -1;
    };
    for (std::int32_t j = 0; j < rlinkCount; ++j) {
        if (links.removed(j)) continue;
        Rlink& l = db.rlinks[static_cast<std::size_t>(j)];
        l.next = firstKept(l.next);
        if (l.rigid != -1) l.rigid = static_cast<std::int16_t>(rigids.to(l.rigid));
    }
    for (std::int32_t b = 0; b < blockCount; ++b) {
        std::int16_t& head = db.blocks[static_cast<std::size_t>(b)].rlinkId;
        head = firstKept(head);
    }

    std::vector<std::int32_t> firstRigid(static_cast<std::size_t>(actorCount), -1);
    for (std::int32_t i = rigidCount - 1; i >= 0; --i) {
        const std::int16_t a = db.rigids[static_cast<std::size_t>(i)].actor;
        if (!rigids.removed(i) && a >= 0 && a < actorCount)
            firstRigid[static_cast<std::size_t>(a)] = static_cast<std::int32_t>(rigids.to(i));
    }
    for (std::int32_t a = 0; a < actorCount; ++a) {
        std::uint16_t& start = db.actors[static_cast<std::size_t>(a)].startRigid;
        if (rigids.inside(start) && !rigids.removed(start)) {
            start = static_cast<std::uint16_t>(rigids.to(start));
        } else {
            start =
                static_cast<std::uint16_t>(std::max(firstRigid[static_cast<std::size_t>(a)], 0));
        }
    }

    rigids.compact(db.rigids);
    links.compact(db.rlinks);
    db.rigidCount = rigids.kept();
    db.rlinkCount = links.kept();
    db.currentRigid = rigids.ref(db.currentRigid, 0);
    db.currentRlink = links.ref(db.currentRlink, 0);
}

// Moves the bytes of the map images that stay together, in the order of their offsets.
// Images that overlap keep overlapping; bytes no remaining image uses are dropped.
void compactTexture(Database& db, const Compaction& images) {
    const std::int64_t used = std::clamp<std::int64_t>(
        db.textureBytesUsed, 0, static_cast<std::int64_t>(db.textureBuffer.size()));
    std::vector<std::int32_t> order;
    for (std::int64_t i = 1; i < images.count(); ++i)
        if (!images.removed(i)) order.push_back(static_cast<std::int32_t>(i));
    std::sort(order.begin(), order.end(), [&](std::int32_t a, std::int32_t b) {
        return db.mapdatas[static_cast<std::size_t>(a)].offset <
               db.mapdatas[static_cast<std::size_t>(b)].offset;
    });
    std::uint8_t* bytes = db.textureBuffer.data();
    std::int64_t write = 0;
    std::int64_t runStart = 0;
    std::int64_t runEnd = 0;
    std::int64_t runNew = 0;
    for (const std::int32_t i : order) {
        Mapdata& m = db.mapdatas[static_cast<std::size_t>(i)];
        const std::int64_t start = std::min<std::int64_t>(m.offset, used);
        const std::int64_t end = std::min<std::int64_t>(start + m.size, used);
        if (start >= runEnd) {
            runStart = start;
            runEnd = start;
            runNew = write;
        }
        if (end > runEnd) {
            std::memmove(bytes + write, bytes + runEnd, static_cast<std::size_t>(end - runEnd));
            write += end - runEnd;
            runEnd = end;
        }
        m.offset = static_cast<std::uint32_t>(runNew + (start - runStart));
        m.size = static_cast<std::uint32_t>(end - start);
    }
    db.textureBytesUsed = static_cast<std::int32_t>(write);
    db.textureWritePos = std::min(db.textureWritePos, db.textureBytesUsed);
}

// The mapping chain from head: each maplist record with its mapinfo and that mapinfo's
// image. The walk ends at 0, outside the store, or after as many steps as there are
// records, so a damaged chain can neither read outside nor loop.
void removeChain(const Database& db, std::int16_t head, Compaction& maplists, Compaction& mapinfos,
                 Compaction& mapdatas) {
    std::int64_t k = head;
    for (std::int64_t steps = 0; steps < maplists.count(); ++steps) {
        if (k <= 0 || !maplists.inside(k)) return;
        maplists.remove(k);
        const Maplist& l = db.maplists[static_cast<std::size_t>(k)];
        if (l.mapinfo > 0 && mapinfos.inside(l.mapinfo)) {
            mapinfos.remove(l.mapinfo);
            const std::int16_t t = db.mapinfos[static_cast<std::size_t>(l.mapinfo)].texId;
            if (t > 0) mapdatas.remove(t);
        }
        k = l.next;
    }
}

// Removes the blocks marked in `blocks` (numbered): their shapes go to block 0, their
// joints go, and everything that names a later block follows it down.
void removeBlocks(Database& db, const Compaction& blocks) {
    dropJoints(db, [&](const Rigid& r) {
        return (r.block1 != 0 && blocks.removed(r.block1)) ||
               (r.block2 != 0 && blocks.removed(r.block2));
    });
    const std::int32_t rigidCount = liveCount(db.rigidCount, db.rigids);
    for (std::int32_t i = 0; i < rigidCount; ++i) {
        Rigid& r = db.rigids[static_cast<std::size_t>(i)];
        r.block1 = static_cast<std::uint16_t>(blocks.to(r.block1));
        r.block2 = static_cast<std::uint16_t>(blocks.to(r.block2));
    }
    const std::int32_t shapeCount = liveCount(db.shapeCount, db.shapes);
    for (std::int32_t i = 0; i < shapeCount; ++i) {
        std::uint32_t& b = db.shapes[static_cast<std::size_t>(i)].shapeId;
        b = blocks.removed(b) ? 0 : static_cast<std::uint32_t>(blocks.to(b));
    }
    std::int32_t& addTarget = db.dialogState[2];
    addTarget = blocks.ref(addTarget, 0);
    db.currentBlock = blocks.ref(db.currentBlock, 0);
    blocks.compact(db.blocks);
    db.blockCount = blocks.kept();
}

// The undo point and the link undo name the first record made after them in each store;
// they follow that record to its new number, so an undo still takes away exactly what was
// made after the point and survived the deletion.
void renumberUndo(std::int32_t& count, const Compaction& store) {
    count = static_cast<std::int32_t>(store.to(count));
}

}  // namespace

void deleteShapes(Database& db, int layer, DeleteScope scope) {
    const std::int32_t shapeCount = liveCount(db.shapeCount, db.shapes);
    const std::int32_t axisCount = liveCount(db.axisCount, db.axes);
    const std::int32_t patchCount = liveCount(db.patchCount, db.patches);
    const std::int32_t affineCount = liveCount(db.affineCount, db.affines);
    const std::span<Shape> shapes(db.shapes.data(), static_cast<std::size_t>(shapeCount));

    Compaction gone(shapeCount);
    for (std::int32_t i = 0; i < shapeCount; ++i)
        if (shapes[static_cast<std::size_t>(i)].layer == layer) gone.remove(i);
    gone.number();

    // Geometry: what only deleted shapes use goes; face runs of remaining polygon shapes
    // keep their vertices even outside their own axis range.
    Coverage axisCover(axisCount);
    Coverage patchCover(patchCount);
    std::vector<std::uint8_t> vertexEntry(static_cast<std::size_t>(patchCount), 0);
    std::vector<std::uint8_t> matrixKept(static_cast<std::size_t>(affineCount), 0);
    for (std::int32_t i = 0; i < shapeCount; ++i) {
        const Shape& s = shapes[static_cast<std::size_t>(i)];
        const bool removed = gone.removed(i);
        axisCover.add(removed, s.axisId, s.axisTotal);
        patchCover.add(removed, s.patchId, s.patchTotal);
        if (removed) continue;
        if (s.matrixId < affineCount) matrixKept[s.matrixId] = 1;
        if (hasFaceRuns(s.kind))
            forEachVertexEntry(db, s, patchCount, [&](std::int64_t pos) {
                vertexEntry[static_cast<std::size_t>(pos)] = 1;
                axisCover.add(false, db.patches[static_cast<std::size_t>(pos)], 1);
            });
    }
    const Compaction axes = axisCover.compaction();
    const Compaction patches = patchCover.compaction();
    Compaction affines(affineCount);
    for (std::int32_t i = 0; i < shapeCount; ++i) {
        const std::uint16_t m = shapes[static_cast<std::size_t>(i)].matrixId;
        if (gone.removed(i) && m > 0 && m < affineCount && matrixKept[m] == 0) affines.remove(m);
    }
    affines.number();

    // Attributes and mappings of the deleted shapes; records 0 are reserved and stay.
    Compaction attributes(liveCount(db.attributeCount, db.attributes));
    Compaction maplists(liveCount(db.maplistCount, db.maplists));
    Compaction mapinfos(liveCount(db.mapinfoCount, db.mapinfos));
    Compaction mapdatas(liveCount(db.mapdataCount, db.mapdatas));
    if (scope == DeleteScope::AllInfo) {
        for (std::int32_t i = 0; i < shapeCount; ++i) {
            if (!gone.removed(i)) continue;
            const Shape& s = shapes[static_cast<std::size_t>(i)];
            if (s.attribId > 0) attributes.remove(s.attribId);
            removeChain(db, static_cast<std::int16_t>(s.textureId), maplists, mapinfos, mapdatas);
        }
    }
    attributes.number();
    maplists.number();
    mapinfos.number();
    mapdatas.number();

    // Renumber every reference of the records that stay, then close the gaps.
    for (std::int32_t p = 0; p < patchCount; ++p) {
        std::int32_t& v = db.patches[static_cast<std::size_t>(p)];
        if (vertexEntry[static_cast<std::size_t>(p)] != 0 && !patches.removed(p))
            v = static_cast<std::int32_t>(axes.to(v));
    }
    for (std::int32_t i = 0; i < shapeCount; ++i) {
        if (gone.removed(i)) continue;
        Shape& s = shapes[static_cast<std::size_t>(i)];
        s.axisId = static_cast<std::uint32_t>(axes.to(s.axisId));
        s.patchId = static_cast<std::uint32_t>(patches.to(s.patchId));
        s.matrixId = static_cast<std::uint16_t>(affines.to(s.matrixId));
        s.attribId = attributes.ref<std::uint16_t>(s.attribId, 0);
        s.savedAttrib = attributes.ref<std::uint16_t>(s.savedAttrib, 0);
        s.textureId = maplists.ref<std::uint16_t>(s.textureId, 0);
    }
    for (std::int64_t k = 0; k < maplists.count(); ++k) {
        Maplist& l = db.maplists[static_cast<std::size_t>(k)];
        l.mapinfo = mapinfos.ref<std::int16_t>(l.mapinfo, 0);
        l.next = maplists.ref<std::int16_t>(l.next, 0);
    }
    for (std::int64_t k = 0; k < mapinfos.count(); ++k) {
        std::int16_t& t = db.mapinfos[static_cast<std::size_t>(k)].texId;
        if (t > 0) t = mapdatas.ref<std::int16_t>(t, 0);
    }
    if (mapdatas.kept() != mapdatas.count()) compactTexture(db, mapdatas);
    db.currentAttribute = attributes.ref(db.currentAttribute, 0);
    db.currentMaplist = maplists.ref(db.currentMaplist, 0);
    db.currentMapinfo = mapinfos.ref(db.currentMapinfo, 0);
    db.currentMapdata = mapdatas.ref(db.currentMapdata, 0);

    gone.compact(db.shapes);
    axes.compact(db.axes);
    patches.compact(db.patches);
    affines.compact(db.affines);
    attributes.compact(db.attributes);
    maplists.compact(db.maplists);
    mapinfos.compact(db.mapinfos);
    mapdatas.compact(db.mapdatas);
    db.shapeCount = gone.kept();
    db.axisCount = axes.kept();
    db.patchCount = patches.kept();
    db.affineCount = affines.kept();
    db.attributeCount = attributes.kept();
    db.maplistCount = maplists.kept();
    db.mapinfoCount = mapinfos.kept();
    db.mapdataCount = mapdatas.kept();

    UndoPoint& undo = db.undoPoint;
    renumberUndo(undo.shape, gone);
    renumberUndo(undo.axis, axes);
    renumberUndo(undo.patch, patches);
    renumberUndo(undo.affine, affines);
    renumberUndo(db.records.linkUndoMaplists, maplists);
    renumberUndo(db.records.linkUndoMapinfos, mapinfos);

    if (scope == DeleteScope::Geometry) return;
    markEmptyBlocks(db);
    deleteBlocks(db, layer);
}

void markEmptyBlocks(Database& db) {
    const std::int32_t blockCount = liveCount(db.blockCount, db.blocks);
    for (std::int32_t b = 1; b < blockCount; ++b) db.blocks[static_cast<std::size_t>(b)].layer = 1;
    const std::int32_t shapeCount = liveCount(db.shapeCount, db.shapes);
    for (std::int32_t i = 0; i < shapeCount; ++i) {
        const std::uint32_t b = db.shapes[static_cast<std::size_t>(i)].shapeId;
        if (b >= 1 && b < static_cast<std::uint32_t>(blockCount)) db.blocks[b].layer = 0;
    }
}

int deleteBlocks(Database& db, int layer, int follow) {
    Compaction blocks(liveCount(db.blockCount, db.blocks));
    for (std::int64_t b = 1; b < blocks.count(); ++b)
        if (db.blocks[static_cast<std::size_t>(b)].layer == layer) blocks.remove(b);
    blocks.number();
    renumberUndo(db.undoPoint.block, blocks);
    removeBlocks(db, blocks);
    return follow < 0 || blocks.removed(follow) ? -1 : static_cast<int>(blocks.to(follow));
}

void dropReferencesPastCounts(Database& db) {
    const std::int32_t blockCount = liveCount(db.blockCount, db.blocks);
    const auto past = [&](std::uint16_t b) { return b != 0 && b >= blockCount; };
    dropJoints(db, [&](const Rigid& r) { return past(r.block1) || past(r.block2); });
    const std::int32_t shapeCount = liveCount(db.shapeCount, db.shapes);
    for (std::int32_t i = 0; i < shapeCount; ++i) {
        Shape& s = db.shapes[static_cast<std::size_t>(i)];
        if (s.shapeId >= static_cast<std::uint32_t>(blockCount)) s.shapeId = 0;
        if (s.matrixId >= db.affineCount) s.matrixId = 0;
    }
    std::int32_t& addTarget = db.dialogState[2];
    if (addTarget >= blockCount) addTarget = 0;
    if (db.currentBlock >= blockCount) db.currentBlock = 0;
}

}  // namespace rz::db
