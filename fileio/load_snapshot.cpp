#include "fileio/load_snapshot.hpp"

#include <algorithm>

#include "fileio/file_messages.hpp"

namespace rz::fileio {
namespace {

bool isBinaryModel(FileType t) {
    return t == FileType::Ptb || t == FileType::Mmb || t == FileType::Ptx || t == FileType::Mmx;
}
bool isPartsFile(FileType t) {
    return t == FileType::Pts || t == FileType::Ptb || t == FileType::Ptx;
}
// Kinds whose patch entries are face runs of absolute vertex numbers.
bool hasFaceRuns(std::uint8_t kind) {
    return kind == 1 || kind == 5 || kind == db::kShapePolygon;
}

// A shift below zero would only come from counts that were never valid.
std::int32_t atLeastZero(std::int32_t v) {
    return std::max(v, 0);
}

void reportBad(platform::MessageService& msg, const char* place) {
    msg.errorBox(msg::kReadError);
    msg.formatBuffer("in RelocateModel (%s)\n", place);
    msg.errorBoxPlain(msg.buffer());
}

// The patch entries of a polygon shape: runs of -n followed by n vertex numbers, each run
// inside the shape's entries and each vertex inside the axis store.
bool faceRunsValid(const db::Database& db, const db::Shape& s) {
    std::uint32_t i = 0;
    while (i < s.patchTotal) {
        const std::int32_t head = db.patches[s.patchId + i];
        if (head >= 0) return false;
        const std::uint32_t n = static_cast<std::uint32_t>(-static_cast<std::int64_t>(head));
        if (n > s.patchTotal - i - 1) return false;
        for (std::uint32_t k = 1; k <= n; ++k) {
            const std::int32_t v = db.patches[s.patchId + i + k];
            if (v < 0 || v >= db.axisCount) return false;
        }
        i += n + 1;
    }
    return true;
}

bool gridHeaderValid(const db::Database& db, const db::Shape& s) {
    if (s.patchTotal < 3 || db.patches[s.patchId] != -2) return false;
    const std::int64_t nu = db.patches[s.patchId + 1];
    const std::int64_t nv = db.patches[s.patchId + 2];
    return nu >= 0 && nv >= 0 && nu * nv <= static_cast<std::int64_t>(s.axisTotal);
}

}  // namespace

void takeLoadSnapshot(db::Database& db) {
    db::LoadBases& b = db.loadBase;
    b.axis = db.axisCount;
    b.patch = db.patchCount;
    b.shape = db.shapeCount;
    b.block = db.blockCount - 1;
    b.rigid = db.rigidCount;
    b.rlink = db.rlinkCount;
    // Actor 0 is reserved as block 0 is: load.actor, which always adds this base, then
    // puts a file's actor 1 right behind the model's last actor.
    b.actor = atLeastZero(db.actorCount - 1);
    b.affine = db.affineCount;
    b.attribute = db.attributeCount;
    b.maplist = db.maplistCount;
    b.mapinfo = db.mapinfoCount;
    b.mapdata = db.mapdataCount;
    b.textureBytes = db.textureBytesUsed;
}

template <class T>
void LoadGuard::keep(Saved<T>& s, const std::vector<T>& store, std::int32_t current) {
    const std::array<std::int32_t, 3> which{0, 1, current};
    for (std::size_t k = 0; k < which.size(); ++k) {
        if (which[k] < 0 || static_cast<std::size_t>(which[k]) >= store.size()) continue;
        s.index[k] = which[k];
        s.record[k] = store[which[k]];
    }
}

template <class T>
void LoadGuard::putBack(const Saved<T>& s, std::vector<T>& store) {
    // In reverse, so that the current record, kept last, is not put back twice over.
    for (std::size_t k = s.index.size(); k-- > 0;)
        if (s.index[k] >= 0 && static_cast<std::size_t>(s.index[k]) < store.size())
            store[s.index[k]] = s.record[k];
}

LoadGuard::LoadGuard(db::Database& db) : db_(db) {
    counts_ = {db.axisCount,        db.patchCount,      db.shapeCount,       db.blockCount,
               db.rigidCount,       db.rlinkCount,      db.actorCount,       db.affineCount,
               db.attributeCount,   db.maplistCount,    db.mapinfoCount,     db.mapdataCount,
               db.textureBytesUsed, db.textureWritePos, db.currentBlock,     db.currentRigid,
               db.currentRlink,     db.currentActor,    db.currentAttribute, db.currentMaplist,
               db.currentMapinfo,   db.currentMapdata,  db.currentLight,     db.lightCount};
    loadBase_ = db.loadBase;
    camera_ = db.camera;
    lights_ = db.lights;
    keep(axes_, db.axes, 0);
    keep(patches_, db.patches, 0);
    keep(shapes_, db.shapes, 0);
    keep(blocks_, db.blocks, db.currentBlock);
    keep(rigids_, db.rigids, db.currentRigid);
    keep(rlinks_, db.rlinks, db.currentRlink);
    keep(actors_, db.actors, db.currentActor);
    keep(affines_, db.affines, 0);
    keep(attributes_, db.attributes, db.currentAttribute);
    keep(maplists_, db.maplists, db.currentMaplist);
    keep(mapinfos_, db.mapinfos, db.currentMapinfo);
    keep(mapdatas_, db.mapdatas, db.currentMapdata);
}

void LoadGuard::rollback() {
    db::Database& db = db_;
    const Counts& c = counts_;
    db.axisCount = c.axis;
    db.patchCount = c.patch;
    db.shapeCount = c.shape;
    db.blockCount = c.block;
    db.rigidCount = c.rigid;
    db.rlinkCount = c.rlink;
    db.actorCount = c.actor;
    db.affineCount = c.affine;
    db.attributeCount = c.attribute;
    db.maplistCount = c.maplist;
    db.mapinfoCount = c.mapinfo;
    db.mapdataCount = c.mapdata;
    db.textureBytesUsed = c.textureBytes;
    db.textureWritePos = c.textureWritePos;
    db.currentBlock = c.currentBlock;
    db.currentRigid = c.currentRigid;
    db.currentRlink = c.currentRlink;
    db.currentActor = c.currentActor;
    db.currentAttribute = c.currentAttribute;
    db.currentMaplist = c.currentMaplist;
    db.currentMapinfo = c.currentMapinfo;
    db.currentMapdata = c.currentMapdata;
    db.currentLight = c.currentLight;
    db.lightCount = c.lightCount;
    db.loadBase = loadBase_;
    db.camera = camera_;
    db.lights = lights_;
    putBack(axes_, db.axes);
    putBack(patches_, db.patches);
    putBack(shapes_, db.shapes);
    putBack(blocks_, db.blocks);
    putBack(rigids_, db.rigids);
    putBack(rlinks_, db.rlinks);
    putBack(actors_, db.actors);
    putBack(affines_, db.affines);
    putBack(attributes_, db.attributes);
    putBack(maplists_, db.maplists);
    putBack(mapinfos_, db.mapinfos);
    putBack(mapdatas_, db.mapdatas);
}

LoadShifts loadShifts(const db::LoadBases& b, FileType type) {
    LoadShifts s;
    s.axis = b.axis;
    s.patch = b.patch;
    s.affine = atLeastZero(b.affine - 1);  // affine 0 is never in a file
    s.texture = b.textureBytes;
    s.rigid = b.rigid;
    // A model holding only attribute 0 has it replaced by the file's first attribute.
    s.attribute = b.attribute >= 2 ? b.attribute : 0;
    // Texture files drop their reserved image 0 and append images 1 ... at the count.
    s.mapdata = atLeastZero(b.mapdata - 1);
    if (isBinaryModel(type)) {
        // Records 1 ... of the file land at the count, records 0 ... of rigids and rlinks too.
        s.block = b.block;
        s.maplist = atLeastZero(b.maplist - 1);
        s.mapinfo = atLeastZero(b.mapinfo - 1);
        s.rlink = b.rlink;
        s.actor = atLeastZero(b.actor - 1);
    } else {
        // What load.block, load.maplist, load.mapinfo, load.rlink and load.actor add.
        s.block = b.block >= 2 ? b.block : (b.shape != 0 ? 1 : 0);
        s.maplist = b.maplist >= 2 ? b.maplist : 0;
        s.mapinfo = b.mapinfo >= 2 ? b.mapinfo : 0;
        s.rlink = b.rlink >= 2 ? b.rlink : 0;
        s.actor = b.actor;
    }
    return s;
}

void relocateMapdata(db::Database& db, std::int32_t first, std::int32_t textureShift) {
    for (std::int32_t i = std::max(first, 1); i < db.mapdataCount; ++i)
        db.mapdatas[i].offset += static_cast<std::uint32_t>(textureShift);
}

bool relocateLoaded(platform::MessageService& msg, db::Database& db, FileType type) {
    const db::LoadBases& b = db.loadBase;
    const LoadShifts s = loadShifts(b, type);

    for (std::int32_t i = b.shape; i < db.shapeCount; ++i) {
        db::Shape& sh = db.shapes[i];
        if (sh.shapeId != 0) sh.shapeId = (sh.shapeId + s.block) & 0xFFFFu;
        if (sh.matrixId != 0) sh.matrixId = static_cast<std::uint16_t>(sh.matrixId + s.affine);
        sh.axisId += static_cast<std::uint32_t>(s.axis);
        sh.patchId += static_cast<std::uint32_t>(s.patch);
        sh.attribId = static_cast<std::uint16_t>(sh.attribId + s.attribute);
        if (sh.textureId != 0) sh.textureId = static_cast<std::uint16_t>(sh.textureId + s.maplist);
        const std::uint64_t axisEnd = std::uint64_t{sh.axisId} + sh.axisTotal;
        const std::uint64_t patchEnd = std::uint64_t{sh.patchId} + sh.patchTotal;
        if (axisEnd > static_cast<std::uint64_t>(db.axisCount) ||
            patchEnd > static_cast<std::uint64_t>(db.patchCount) ||
            sh.shapeId >= db.blocks.size()) {
            reportBad(msg, "SHAPE");
            return false;
        }
        if (hasFaceRuns(sh.kind) && s.axis != 0)
            for (std::uint32_t k = 0; k < sh.patchTotal; ++k)
                if (std::int32_t& v = db.patches[sh.patchId + k]; v >= 0) v += s.axis;
        const bool valid = sh.kind == db::kShapePolygon ? faceRunsValid(db, sh)
                           : sh.kind == db::kShapeGrid  ? gridHeaderValid(db, sh)
                                                        : true;
        if (!valid) {
            reportBad(msg, "PATCH");
            return false;
        }
        db.blockCount =
            std::max<std::int32_t>(db.blockCount, static_cast<std::int32_t>(sh.shapeId) + 1);
    }

    // Blocks keep only joints that came with them: a parts file brings no rlinks.
    const std::int32_t rlinkFirst = s.rlink;
    for (std::int32_t i = 1 + s.block; i < db.blockCount; ++i) {
        db::Block& bl = db.blocks[i];
        if (bl.rlinkId == -1) continue;
        const std::int32_t r = bl.rlinkId + s.rlink;
        const bool loaded = !isPartsFile(type) && r >= rlinkFirst && r < db.rlinkCount;
        bl.rlinkId = loaded ? static_cast<std::int16_t>(r) : -1;
    }
    for (std::int32_t i = s.rigid; i < db.rigidCount; ++i) {
        db::Rigid& r = db.rigids[i];
        if (r.block1 != 0) r.block1 = static_cast<std::uint16_t>(r.block1 + s.block);
        if (r.block2 != 0) r.block2 = static_cast<std::uint16_t>(r.block2 + s.block);
        if (r.actor != -1) r.actor = static_cast<std::int16_t>(r.actor + s.actor);
    }
    for (std::int32_t i = s.rlink; i < db.rlinkCount; ++i) {
        db::Rlink& l = db.rlinks[i];
        if (l.rigid != -1) l.rigid = static_cast<std::int16_t>(l.rigid + s.rigid);
        if (l.next != -1) l.next = static_cast<std::int16_t>(l.next + s.rlink);
    }
    for (std::int32_t i = 1 + s.actor; i < db.actorCount; ++i)
        db.actors[i].startRigid = static_cast<std::uint16_t>(db.actors[i].startRigid + s.rigid);
    for (std::int32_t i = 1 + s.maplist; i < db.maplistCount; ++i) {
        db::Maplist& m = db.maplists[i];
        if (m.mapinfo != 0) m.mapinfo = static_cast<std::int16_t>(m.mapinfo + s.mapinfo);
        if (m.next != 0) m.next = static_cast<std::int16_t>(m.next + s.maplist);
    }
    for (std::int32_t i = 1 + s.mapinfo; i < db.mapinfoCount; ++i)
        if (db.mapinfos[i].texId != 0)
            db.mapinfos[i].texId = static_cast<std::int16_t>(db.mapinfos[i].texId + s.mapdata);
    if (isBinaryModel(type)) relocateMapdata(db, 1 + s.mapdata, s.texture);
    for (std::int32_t i = std::max(1 + s.mapdata, 1); i < db.mapdataCount; ++i) {
        const db::Mapdata& m = db.mapdatas[i];
        if (std::uint64_t{m.offset} + m.size > static_cast<std::uint64_t>(db.textureBytesUsed)) {
            reportBad(msg, "MAPDATA");
            return false;
        }
    }
    db.currentMaplist = 0;
    db.currentMapinfo = 0;
    db.currentMapdata = 0;
    return true;
}

}  // namespace rz::fileio
