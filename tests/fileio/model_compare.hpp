#pragma once
// Record-by-record comparison of two models: every count and every field that the
// files carry, texture bytes included.

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>

#include "db/database.hpp"

namespace rz::test {

inline std::string text(const char* field, std::size_t size) {
    return std::string(field, strnlen(field, size));
}

inline auto fieldsOf(const db::Axis& a) {
    return std::tie(a.wv, a.nv, a.u, a.v);
}
inline auto fieldsOf(const db::Shape& s) {
    return std::make_tuple(s.shapeId, s.axisId, s.axisTotal, s.patchId, s.patchTotal, s.matrixId,
                           s.attribId, s.textureId, s.layer, s.kind, s.page, s.lrflag, s.smoothflag,
                           s.dummy, s.bbmin, s.bbmax, text(s.name.data(), s.name.size()));
}
inline auto fieldsOf(const db::Block& b) {
    return std::make_tuple(b.xyzrot, b.xyztmp, b.center, b.trans, b.xyzmin, b.xyzmax, b.matrix,
                           b.rlinkId, b.layer, b.dummy, text(b.refname.data(), b.refname.size()),
                           text(b.name.data(), b.name.size()));
}
inline auto fieldsOf(const db::Rigid& r) {
    return std::make_tuple(r.pos, r.old, r.tmp, r.block1, r.block2, r.actor,
                           text(r.name.data(), r.name.size()));
}
inline auto fieldsOf(const db::Rlink& l) {
    return std::tie(l.rigid, l.next);
}
inline auto fieldsOf(const db::Actor& a) {
    return std::make_tuple(a.startRigid, a.layer, text(a.name.data(), a.name.size()));
}
inline auto fieldsOf(const db::Attribute& a) {
    return std::tie(a.ambient, a.diffuse, a.specular, a.specularExponent, a.prg, a.rgb, a.arg,
                    a.drg, a.opacity, a.gainC, a.gainL, a.haze, a.smooth, a.map, a.face, a.shade);
}
inline auto fieldsOf(const db::Mapinfo& m) {
    return std::tie(m.kind, m.method, m.texId, m.mopa, m.bump, m.ustart, m.uend, m.vstart, m.vend,
                    m.ulen, m.vlen, m.uofs, m.vofs, m.xlen, m.ylen, m.zlen, m.xcent, m.ycent,
                    m.zcent);
}
inline auto fieldsOf(const db::Maplist& m) {
    return std::tie(m.mapinfo, m.next);
}
inline auto fieldsOf(const db::Mapdata& m) {
    return std::tie(m.kind, m.width, m.height, m.offset, m.size);
}
inline auto fieldsOf(const Mat4& m) {
    return std::tie(m);
}
inline auto fieldsOf(const std::int32_t& v) {
    return std::tie(v);
}

template <class T>
void expectSameRecords(const char* store, const std::vector<T>& a, const std::vector<T>& b,
                       std::int32_t first, std::int32_t count) {
    for (std::int32_t i = first; i < count; ++i)
        EXPECT_TRUE(fieldsOf(a[i]) == fieldsOf(b[i])) << store << " record " << i << " differs";
}

// Every store of b equals a's; records below first of the stores with a reserved record
// 0 are not compared, since files never carry them.
inline void expectSameModel(const db::Database& a, const db::Database& b, bool motion = true) {
    ASSERT_EQ(a.axisCount, b.axisCount);
    ASSERT_EQ(a.patchCount, b.patchCount);
    ASSERT_EQ(a.shapeCount, b.shapeCount);
    ASSERT_EQ(a.blockCount, b.blockCount);
    ASSERT_EQ(a.affineCount, b.affineCount);
    ASSERT_EQ(a.attributeCount, b.attributeCount);
    ASSERT_EQ(a.mapinfoCount, b.mapinfoCount);
    ASSERT_EQ(a.maplistCount, b.maplistCount);
    ASSERT_EQ(a.mapdataCount, b.mapdataCount);
    ASSERT_EQ(a.textureBytesUsed, b.textureBytesUsed);
    expectSameRecords("axis", a.axes, b.axes, 0, a.axisCount);
    expectSameRecords("patch", a.patches, b.patches, 0, a.patchCount);
    expectSameRecords("shape", a.shapes, b.shapes, 0, a.shapeCount);
    expectSameRecords("block", a.blocks, b.blocks, 1, a.blockCount);
    expectSameRecords("affine", a.affines, b.affines, 0, a.affineCount);
    expectSameRecords("attribute", a.attributes, b.attributes, 0, a.attributeCount);
    expectSameRecords("mapinfo", a.mapinfos, b.mapinfos, 1, a.mapinfoCount);
    expectSameRecords("maplist", a.maplists, b.maplists, 1, a.maplistCount);
    expectSameRecords("mapdata", a.mapdatas, b.mapdatas, 1, a.mapdataCount);
    EXPECT_EQ(0, std::memcmp(a.textureBuffer.data(), b.textureBuffer.data(),
                             static_cast<std::size_t>(a.textureBytesUsed)));
    if (!motion) return;
    ASSERT_EQ(a.rigidCount, b.rigidCount);
    ASSERT_EQ(a.rlinkCount, b.rlinkCount);
    ASSERT_EQ(a.actorCount, b.actorCount);
    expectSameRecords("rigid", a.rigids, b.rigids, 0, a.rigidCount);
    expectSameRecords("rlink", a.rlinks, b.rlinks, 0, a.rlinkCount);
    expectSameRecords("actor", a.actors, b.actors, 1, a.actorCount);
}

}  // namespace rz::test

namespace rz::test {

// A refused load leaves everything as it was: counts, load bases, current records and
// every record below the counts.
inline void expectUnchanged(const db::Database& before, const db::Database& after) {
    expectSameModel(before, after, true);
    expectSameRecords("block", before.blocks, after.blocks, 0, 1);
    expectSameRecords("mapinfo", before.mapinfos, after.mapinfos, 0, 1);
    expectSameRecords("maplist", before.maplists, after.maplists, 0, 1);
    expectSameRecords("mapdata", before.mapdatas, after.mapdatas, 0, 1);
    expectSameRecords("actor", before.actors, after.actors, 0, 1);
    const auto bases = [](const db::LoadBases& b) {
        return std::tie(b.axis, b.patch, b.shape, b.block, b.rigid, b.rlink, b.actor, b.affine,
                        b.attribute, b.maplist, b.mapinfo, b.mapdata, b.textureBytes);
    };
    EXPECT_TRUE(bases(before.loadBase) == bases(after.loadBase));
    const auto current = [](const db::Database& d) {
        return std::tie(d.currentBlock, d.currentRigid, d.currentRlink, d.currentActor,
                        d.currentAttribute, d.currentMaplist, d.currentMapinfo, d.currentMapdata);
    };
    EXPECT_TRUE(current(before) == current(after));
    EXPECT_EQ(text(before.modelFileName.data(), before.modelFileName.size()),
              text(after.modelFileName.data(), after.modelFileName.size()));
}

}  // namespace rz::test
