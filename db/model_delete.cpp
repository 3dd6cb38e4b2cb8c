#include "db/model_delete.hpp"

#include <algorithm>
#include <cstring>
#include <span>
#include <vector>

namespace rz::db {
namespace {

// The records in use of a store: its count held to what was allocated.
template <class T>
std::int32_t live(std::int32_t count, const std::vector<T>& store) {
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(count, 0, static_cast<std::int64_t>(store.size())));
}

// Which records of a store go, and where the others move: every kept record keeps its
// order and moves down by the number of removed records before it.
class Compaction {
  public:
    explicit Compaction(std::int32_t count) : gone_(static_cast<std::size_t>(count), 0) {}

    std::int64_t count() const { return static_cast<std::int64_t>(gone_.size()); }
    bool inside(std::int64_t i) const { return i >= 0 && i < count(); }
    void remove(std::int64_t i) {
        if (inside(i)) gone_[static_cast<std::size_t>(i)] = 1;
    }
    bool removed(std::int64_t i) const {
        return inside(i) && gone_[static_cast<std::size_t>(i)] != 0;
    }

    // Numbers the kept records; called once, after the last remove.
    void number() {
        to_.resize(gone_.size() + 1);
        std::int32_t next = 0;
        for (std::size_t i = 0; i < gone_.size(); ++i) {
            to_[i] = next;
            next += gone_[i] == 0 ? 1 : 0;
        }
        to_[gone_.size()] = next;
    }
    std::int32_t kept() const { return to_.back(); }

    // The new number of record i. A removed record gives the place of the next kept one, so
    // an empty range starting there stays in order; a number past the store moves down by
    // everything removed.
    std::int64_t to(std::int64_t i) const {
        if (i >= 0 && i <= count()) return to_[static_cast<std::size_t>(i)];
        return i < 0 ? i : i - (count() - kept());
    }
    // A reference whose `none` value stays none; one to a removed record becomes none.
    template <class I>
    I ref(I v, I none) const {
        if (v == none || removed(v)) return none;
        return static_cast<I>(to(v));
    }

    template <class T>
    void compact(std::vector<T>& store) const {
        std::size_t out = 0;
        for (std::size_t i = 0; i < gone_.size(); ++i) {
            if (gone_[i] != 0) continue;
            if (out != i) store[out] = store[i];
            ++out;
        }
    }

  private:
    std::vector<std::uint8_t> gone_;
    std::vector<std::int32_t> to_;
};

// Ranges of a store named by the deleted shapes and by the shapes that stay. A record goes
// when a deleted shape covers it and no remaining one does, so records two shapes share
// stay with the one that is left.
class Coverage {
  public:
    explicit Coverage(std::int32_t count)
        : removed_(static_cast<std::size_t>(count) + 1, 0),
          kept_(static_cast<std::size_t>(count) + 1, 0) {}

    void add(bool removed, std::int64_t first, std::int64_t total) {
        const auto n = static_cast<std::int64_t>(removed_.size()) - 1;
        const std::int64_t a = std::clamp<std::int64_t>(first, 0, n);
        const std::int64_t b = std::clamp<std::int64_t>(first + total, 0, n);
        if (a >= b) return;
        std::vector<std::int32_t>& d = removed ? removed_ : kept_;
        ++d[static_cast<std::size_t>(a)];
        --d[static_cast<std::size_t>(b)];
    }

    Compaction compaction() const {
        const auto n = static_cast<std::int32_t>(removed_.size()) - 1;
        Compaction c(n);
        std::int32_t removed = 0;
        std::int32_t kept = 0;
        for (std::int32_t i = 0; i < n; ++i) {
            removed += removed_[static_cast<std::size_t>(i)];
            kept += kept_[static_cast<std::size_t>(i)];
            if (removed > 0 && kept == 0) c.remove(i);
        }
        c.number();
        return c;
    }

  private:
    std::vector<std::int32_t> removed_;  // differences: +1 where a range starts, -1 after it
    std::vector<std::int32_t> kept_;
};

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
    const std::int32_t rigidCount = live(db.rigidCount, db.rigids);
    const std::int32_t rlinkCount = live(db.rlinkCount, db.rlinks);
    const std::int32_t blockCount = live(db.blockCount, db.blocks);
    const std::int32_t actorCount = live(db.actorCount, db.actors);
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
    const std::int32_t rigidCount = live(db.rigidCount, db.rigids);
    for (std::int32_t i = 0; i < rigidCount; ++i) {
        Rigid& r = db.rigids[static_cast<std::size_t>(i)];
        r.block1 = static_cast<std::uint16_t>(blocks.to(r.block1));
        r.block2 = static_cast<std::uint16_t>(blocks.to(r.block2));
    }
    const std::int32_t shapeCount = live(db.shapeCount, db.shapes);
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

}  // namespace

void deleteShapes(Database& db, int layer, DeleteScope scope) {
    const std::int32_t shapeCount = live(db.shapeCount, db.shapes);
    const std::int32_t axisCount = live(db.axisCount, db.axes);
    const std::int32_t patchCount = live(db.patchCount, db.patches);
    const std::int32_t affineCount = live(db.affineCount, db.affines);
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
    Compaction attributes(live(db.attributeCount, db.attributes));
    Compaction maplists(live(db.maplistCount, db.maplists));
    Compaction mapinfos(live(db.mapinfoCount, db.mapinfos));
    Compaction mapdatas(live(db.mapdataCount, db.mapdatas));
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

    db.undoPoint = {};
    db.records.linkUndoMaplists = 0;
    db.records.linkUndoMapinfos = 0;

    if (scope == DeleteScope::Geometry) return;
    markEmptyBlocks(db);
    deleteBlocks(db, layer);
}

void markEmptyBlocks(Database& db) {
    const std::int32_t blockCount = live(db.blockCount, db.blocks);
    for (std::int32_t b = 1; b < blockCount; ++b) db.blocks[static_cast<std::size_t>(b)].layer = 1;
    const std::int32_t shapeCount = live(db.shapeCount, db.shapes);
    for (std::int32_t i = 0; i < shapeCount; ++i) {
        const std::uint32_t b = db.shapes[static_cast<std::size_t>(i)].shapeId;
        if (b >= 1 && b < static_cast<std::uint32_t>(blockCount)) db.blocks[b].layer = 0;
    }
}

int deleteBlocks(Database& db, int layer, int follow) {
    Compaction blocks(live(db.blockCount, db.blocks));
    for (std::int64_t b = 1; b < blocks.count(); ++b)
        if (db.blocks[static_cast<std::size_t>(b)].layer == layer) blocks.remove(b);
    blocks.number();
    removeBlocks(db, blocks);
    return follow < 0 || blocks.removed(follow) ? -1 : static_cast<int>(blocks.to(follow));
}

void dropReferencesPastCounts(Database& db) {
    const std::int32_t blockCount = live(db.blockCount, db.blocks);
    const auto past = [&](std::uint16_t b) { return b != 0 && b >= blockCount; };
    dropJoints(db, [&](const Rigid& r) { return past(r.block1) || past(r.block2); });
    const std::int32_t shapeCount = live(db.shapeCount, db.shapes);
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
