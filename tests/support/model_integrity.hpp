#pragma once
// The model-integrity check the tests of every folder run after an edit: every count inside
// its store, every reference of every record inside the store it names (or its "none"
// value), every chain ending, and the geometry of each shape where its kind says it is.
// Free of GoogleTest, so that fuzz targets can assert with it too.

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "db/database.hpp"

namespace rz::test {

class IntegrityCheck {
  public:
    explicit IntegrityCheck(const db::Database& db) : db_(db) {
        counts();
        if (!problems_.empty()) return;  // records are only read below valid counts
        shapes();
        joints();
        mappings();
        currents();
    }

    bool ok() const { return problems_.empty(); }
    // Every problem found, one a line.
    std::string report() const {
        std::string text;
        for (const std::string& p : problems_) text += p + "\n";
        return text;
    }

  private:
    template <class... A>
    void problem(const char* format, A... args) {
        char text[256];
        std::snprintf(text, sizeof text, format, args...);
        problems_.emplace_back(text);
    }

    template <class T>
    void count(const char* store, std::int32_t n, const std::vector<T>& records,
               std::int32_t atLeast) {
        if (n < atLeast || static_cast<std::size_t>(n) > records.size())
            problem("%s count %d outside %d..%zu", store, n, atLeast, records.size());
    }

    void counts() {
        count("axis", db_.axisCount, db_.axes, 0);
        count("patch", db_.patchCount, db_.patches, 0);
        count("shape", db_.shapeCount, db_.shapes, 0);
        count("block", db_.blockCount, db_.blocks, 1);
        count("rigid", db_.rigidCount, db_.rigids, 0);
        count("rlink", db_.rlinkCount, db_.rlinks, 0);
        count("actor", db_.actorCount, db_.actors, 1);
        count("affine", db_.affineCount, db_.affines, 1);
        count("attribute", db_.attributeCount, db_.attributes, 1);
        count("maplist", db_.maplistCount, db_.maplists, 1);
        count("mapinfo", db_.mapinfoCount, db_.mapinfos, 1);
        count("mapdata", db_.mapdataCount, db_.mapdatas, 1);
        count("texture byte", db_.textureBytesUsed, db_.textureBuffer, 0);
    }

    static bool inside(std::int64_t v, std::int32_t count) { return v >= 0 && v < count; }

    // A chain from start through next(k) ends at `end` within as many steps as the store has
    // records, every link inside the store.
    template <class Next>
    bool chainEnds(std::int64_t start, std::int64_t end, std::int32_t count, Next next) const {
        std::int64_t k = start;
        for (std::int32_t steps = 0; steps <= count; ++steps) {
            if (k == end) return true;
            if (!inside(k, count)) return false;
            k = next(k);
        }
        return false;
    }

    void faceRuns(int i, const db::Shape& s) {
        std::uint32_t pos = 0;
        while (pos < s.patchTotal) {
            const std::int32_t head = db_.patches[s.patchId + pos++];
            if (head >= 0) continue;
            const auto n = static_cast<std::uint32_t>(-static_cast<std::int64_t>(head));
            if (n > s.patchTotal - pos) {
                problem("shape %d: face run at entry %u passes its entries", i, pos - 1);
                return;
            }
            for (std::uint32_t k = 0; k < n; ++k, ++pos) {
                const std::int32_t v = db_.patches[s.patchId + pos];
                if (!inside(v, db_.axisCount)) problem("shape %d: vertex %d past the axes", i, v);
            }
        }
    }

    void shapes() {
        std::vector<int> patchOwner(static_cast<std::size_t>(db_.patchCount), -1);
        for (int i = 0; i < db_.shapeCount; ++i) {
            const db::Shape& s = db_.shapes[static_cast<std::size_t>(i)];
            if (!inside(s.shapeId, db_.blockCount)) problem("shape %d: block %u", i, s.shapeId);
            if (std::int64_t{s.axisId} + s.axisTotal > db_.axisCount)
                problem("shape %d: axes %u+%u past %d", i, s.axisId, s.axisTotal, db_.axisCount);
            if (std::int64_t{s.patchId} + s.patchTotal > db_.patchCount) {
                problem("shape %d: patches %u+%u past %d", i, s.patchId, s.patchTotal,
                        db_.patchCount);
                continue;
            }
            for (std::uint32_t k = 0; k < s.patchTotal; ++k) {
                int& owner = patchOwner[s.patchId + k];
                if (owner >= 0)
                    problem("shapes %d and %d share patch entry %u", owner, i, s.patchId + k);
                owner = i;
            }
            if (!inside(s.matrixId, db_.affineCount)) problem("shape %d: matrix %u", i, s.matrixId);
            if (!inside(s.attribId, db_.attributeCount))
                problem("shape %d: attribute %u", i, s.attribId);
            if (!inside(s.textureId, db_.maplistCount))
                problem("shape %d: mapping head %u", i, s.textureId);
            else if (!chainEnds(s.textureId, 0, db_.maplistCount, [&](std::int64_t k) {
                         return db_.maplists[static_cast<std::size_t>(k)].next;
                     }))
                problem("shape %d: mapping chain does not end", i);
            const auto editCount = static_cast<std::int32_t>(db_.editList.size());
            if (s.editHead != db::kNoEdits &&
                !chainEnds(s.editHead, -1, editCount, [&](std::int64_t k) {
                    return db_.editList[static_cast<std::size_t>(k)].link;
                }))
                problem("shape %d: edit list does not end", i);
            if (db::hasFaceRuns(s.kind)) faceRuns(i, s);
            if (s.kind == db::kShapeGrid) {
                const std::int32_t* h = db_.patches.data() + s.patchId;
                if (s.patchTotal < 3 || h[0] != -2 || h[1] < 0 || h[2] < 0 ||
                    std::int64_t{h[1]} * h[2] > s.axisTotal)
                    problem("shape %d: grid header", i);
            }
        }
    }

    void joints() {
        const auto nextLink = [&](std::int64_t k) {
            return db_.rlinks[static_cast<std::size_t>(k)].next;
        };
        for (int b = 0; b < db_.blockCount; ++b) {
            const std::int16_t head = db_.blocks[static_cast<std::size_t>(b)].rlinkId;
            if (head != -1 && !chainEnds(head, -1, db_.rlinkCount, nextLink))
                problem("block %d: rlink chain from %d", b, head);
        }
        for (int i = 0; i < db_.rigidCount; ++i) {
            const db::Rigid& r = db_.rigids[static_cast<std::size_t>(i)];
            if (!inside(r.block1, db_.blockCount) || !inside(r.block2, db_.blockCount))
                problem("rigid %d: blocks %u and %u", i, r.block1, r.block2);
            if (r.actor != -1 && !inside(r.actor, db_.actorCount))
                problem("rigid %d: actor %d", i, r.actor);
        }
        for (int i = 0; i < db_.rlinkCount; ++i) {
            const db::Rlink& l = db_.rlinks[static_cast<std::size_t>(i)];
            if (l.rigid != -1 && !inside(l.rigid, db_.rigidCount))
                problem("rlink %d: rigid %d", i, l.rigid);
            if (l.next != -1 && !inside(l.next, db_.rlinkCount))
                problem("rlink %d: next %d", i, l.next);
        }
        for (int a = 1; a < db_.actorCount; ++a) {
            const std::uint16_t start = db_.actors[static_cast<std::size_t>(a)].startRigid;
            if (start != 0 && !inside(start, db_.rigidCount))
                problem("actor %d: start rigid %u", a, start);
        }
    }

    void mappings() {
        for (int k = 0; k < db_.maplistCount; ++k) {
            const db::Maplist& l = db_.maplists[static_cast<std::size_t>(k)];
            if (!inside(l.mapinfo, db_.mapinfoCount))
                problem("maplist %d: mapinfo %d", k, l.mapinfo);
            if (!inside(l.next, db_.maplistCount)) problem("maplist %d: next %d", k, l.next);
        }
        for (int k = 0; k < db_.mapinfoCount; ++k) {
            const std::int16_t t = db_.mapinfos[static_cast<std::size_t>(k)].texId;
            if (!inside(t, db_.mapdataCount)) problem("mapinfo %d: image %d", k, t);
        }
        for (int k = 1; k < db_.mapdataCount; ++k) {
            const db::Mapdata& m = db_.mapdatas[static_cast<std::size_t>(k)];
            if (std::int64_t{m.offset} + m.size > db_.textureBytesUsed)
                problem("mapdata %d: bytes %u+%u past %d", k, m.offset, m.size,
                        db_.textureBytesUsed);
        }
    }

    // A current record may also be the next free one, which the record commands fill.
    void current(const char* store, std::int32_t n, std::int32_t count) {
        if (n != 0 && !inside(n, count + 1)) problem("current %s %d of %d", store, n, count);
    }

    void currents() {
        current("block", db_.currentBlock, db_.blockCount);
        current("rigid", db_.currentRigid, db_.rigidCount);
        current("rlink", db_.currentRlink, db_.rlinkCount);
        current("actor", db_.currentActor, db_.actorCount);
        current("attribute", db_.currentAttribute, db_.attributeCount);
        current("maplist", db_.currentMaplist, db_.maplistCount);
        current("mapinfo", db_.currentMapinfo, db_.mapinfoCount);
        current("mapdata", db_.currentMapdata, db_.mapdataCount);
        if (db_.dialogState[2] != 0 && !inside(db_.dialogState[2], db_.blockCount))
            problem("add.block target %d of %d", db_.dialogState[2], db_.blockCount);
    }

    const db::Database& db_;
    std::vector<std::string> problems_;
};

}  // namespace rz::test
