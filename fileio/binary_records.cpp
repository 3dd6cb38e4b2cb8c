#include "fileio/binary_records.hpp"

#include "fileio/byte_order.hpp"

namespace rz::fileio {
namespace {

constexpr std::size_t kNameField = 64;
constexpr std::size_t kShortName = 31;  // names that live in 32-byte fields
constexpr std::size_t kLongName = 63;

void putVec(FieldWriter& w, const Vec3& v) {
    for (float f : v) w.f32(f);
}
void getVec(FieldReader& r, Vec3& v) {
    for (float& f : v) f = r.f32();
}
void putMatrix(FieldWriter& w, const Mat4& m) {
    for (double d : m) w.f64(d);
}
void getMatrix(FieldReader& r, Mat4& m) {
    for (double& d : m) d = r.f64();
}

}  // namespace

void encodeAxis(const db::Axis& a, std::uint8_t* p) {
    FieldWriter w(p);
    putVec(w, a.wv);
    putVec(w, a.nv);
    w.f32(a.u);
    w.f32(a.v);
}

void decodeAxis(const std::uint8_t* p, db::Axis& a) {
    FieldReader r(p);
    getVec(r, a.wv);
    getVec(r, a.nv);
    a.u = r.f32();
    a.v = r.f32();
}

void encodeShape(const db::Shape& s, std::uint8_t* p) {
    FieldWriter w(p);
    for (std::uint32_t v :
         {s.shapeId, s.axisId, s.axisTotal, s.patchId, s.patchTotal, std::uint32_t{s.matrixId},
          std::uint32_t{s.attribId}, std::uint32_t{s.layer}, std::uint32_t{s.kind},
          std::uint32_t{s.page}, std::uint32_t{s.lrflag}, std::uint32_t{s.smoothflag},
          std::uint32_t{s.dummy}})
        w.u32(v);
    w.zeros(12);
    w.i32(s.textureId);
    w.zeros(4);
    putVec(w, s.bbmin);
    putVec(w, s.bbmax);
    w.text(s.name.data(), s.name.size(), kNameField);
}

void decodeShape(const std::uint8_t* p, db::Shape& s) {
    FieldReader r(p);
    s.shapeId = r.u32();
    s.axisId = r.u32();
    s.axisTotal = r.u32();
    s.patchId = r.u32();
    s.patchTotal = r.u32();
    s.matrixId = static_cast<std::uint16_t>(r.u32());
    s.attribId = static_cast<std::uint16_t>(r.u32());
    s.layer = static_cast<std::uint8_t>(r.u32());
    s.kind = static_cast<std::uint8_t>(r.u32());
    s.page = static_cast<std::uint8_t>(r.u32());
    s.lrflag = static_cast<std::uint8_t>(r.u32());
    s.smoothflag = static_cast<std::uint8_t>(r.u32());
    s.dummy = static_cast<std::uint8_t>(r.u32());
    r.skip(12);
    s.textureId = static_cast<std::uint16_t>(r.i32());
    r.skip(4);
    getVec(r, s.bbmin);
    getVec(r, s.bbmax);
    r.text(s.name, kNameField, kShortName);
    s.editHead = db::kNoEdits;
    s.savedAttrib = 0;
}

void encodeBlock(const db::Block& b, std::uint8_t* p) {
    FieldWriter w(p);
    for (const Vec3* v : {&b.xyzrot, &b.xyztmp, &b.center, &b.trans, &b.xyzmin, &b.xyzmax})
        putVec(w, *v);
    putMatrix(w, b.matrix);
    w.i32(b.rlinkId);
    w.zeros(4);
    w.u32(b.layer);
    w.u32(b.dummy);
    w.text(b.name.data(), b.name.size(), kNameField);
    w.text(b.refname.data(), b.refname.size(), kNameField);
}

void decodeBlockPose(const std::uint8_t* p, db::Block& b) {
    FieldReader r(p);
    for (Vec3* v : {&b.xyzrot, &b.xyztmp, &b.center, &b.trans, &b.xyzmin, &b.xyzmax}) getVec(r, *v);
    getMatrix(r, b.matrix);
}

void decodeBlock(const std::uint8_t* p, db::Block& b) {
    b = db::Block{};
    decodeBlockPose(p, b);
    FieldReader r(p + 18 * 4 + 16 * 8);
    b.rlinkId = static_cast<std::int16_t>(r.i32());
    r.skip(4);
    b.layer = static_cast<std::uint8_t>(r.u32());
    b.dummy = static_cast<std::uint8_t>(r.u32());
    r.text(b.name, kNameField, kLongName);
    r.text(b.refname, kNameField, kShortName);
}

void encodeAffine(const Mat4& m, std::uint8_t* p) {
    FieldWriter w(p);
    putMatrix(w, m);
}

void decodeAffine(const std::uint8_t* p, Mat4& m) {
    FieldReader r(p);
    getMatrix(r, m);
}

void encodeAttribute(const db::Attribute& a, std::uint8_t* p) {
    FieldWriter w(p);
    for (const Vec3* v : {&a.prg, &a.rgb, &a.arg, &a.drg}) putVec(w, *v);
    for (float f : {a.ambient, a.diffuse, a.specular, a.specularExponent, a.opacity, a.gainC,
                    a.gainL, a.haze})
        w.f32(f);
    w.zeros(16);
    for (std::uint8_t s : {a.smooth, a.map, a.face, a.shade}) w.u32(s);
    w.zeros(16 + kNameField);
}

void decodeAttribute(const std::uint8_t* p, db::Attribute& a) {
    FieldReader r(p);
    for (Vec3* v : {&a.prg, &a.rgb, &a.arg, &a.drg}) getVec(r, *v);
    for (float* f : {&a.ambient, &a.diffuse, &a.specular, &a.specularExponent, &a.opacity, &a.gainC,
                     &a.gainL, &a.haze})
        *f = r.f32();
    r.skip(16);
    for (std::uint8_t* s : {&a.smooth, &a.map, &a.face, &a.shade})
        *s = static_cast<std::uint8_t>(r.u32());
}

void encodeMapinfo(const db::Mapinfo& m, std::uint8_t* p) {
    FieldWriter w(p);
    for (float f : {m.ustart, m.vstart, m.uend, m.vend, m.ulen, m.vlen, m.uofs, m.vofs, m.xlen,
                    m.ylen, m.zlen, m.xcent, m.ycent, m.zcent, m.mopa, m.bump})
        w.f32(f);
    w.i32(m.kind);
    w.i32(m.method);
    w.i32(m.texId);
    w.zeros(4);
}

void decodeMapinfo(const std::uint8_t* p, db::Mapinfo& m) {
    FieldReader r(p);
    for (float* f : {&m.ustart, &m.vstart, &m.uend, &m.vend, &m.ulen, &m.vlen, &m.uofs, &m.vofs,
                     &m.xlen, &m.ylen, &m.zlen, &m.xcent, &m.ycent, &m.zcent, &m.mopa, &m.bump})
        *f = r.f32();
    m.kind = static_cast<std::int16_t>(r.i32());
    m.method = static_cast<std::int16_t>(r.i32());
    m.texId = static_cast<std::int16_t>(r.i32());
    m.reserved = 0;
}

void encodeMaplist(const db::Maplist& m, std::uint8_t* p) {
    FieldWriter w(p);
    w.i32(m.mapinfo);
    w.i32(m.next);
}

void decodeMaplist(const std::uint8_t* p, db::Maplist& m) {
    FieldReader r(p);
    m.mapinfo = static_cast<std::int16_t>(r.i32());
    m.next = static_cast<std::int16_t>(r.i32());
}

void encodeMapdata(const db::Mapdata& m, std::uint8_t* p) {
    FieldWriter w(p);
    w.u32(m.kind);
    w.u32(m.width);
    w.u32(m.height);
    w.u32(m.offset);
    w.u32(m.size);
    w.zeros(12);
}

void decodeMapdata(const std::uint8_t* p, db::Mapdata& m) {
    FieldReader r(p);
    m.kind = static_cast<std::uint16_t>(r.u32());
    m.width = static_cast<std::uint16_t>(r.u32());
    m.height = static_cast<std::uint16_t>(r.u32());
    m.reserved = 0;
    m.offset = r.u32();
    m.size = r.u32();
}

void encodeRigid(const db::Rigid& rg, std::uint8_t* p) {
    FieldWriter w(p);
    for (const Vec3* v : {&rg.pos, &rg.old, &rg.tmp}) putVec(w, *v);
    w.zeros(12);
    w.i32(rg.actor);
    w.zeros(4);
    for (std::uint32_t v : {std::uint32_t{rg.block1}, std::uint32_t{rg.block2},
                            std::uint32_t{rg.layer}, std::uint32_t{rg.reserved2}})
        w.u32(v);
    w.text(rg.name.data(), rg.name.size(), kNameField);
}

void decodeRigid(const std::uint8_t* p, db::Rigid& rg) {
    rg = db::Rigid{};
    FieldReader r(p);
    for (Vec3* v : {&rg.pos, &rg.old, &rg.tmp}) getVec(r, *v);
    r.skip(12);
    rg.actor = static_cast<std::int16_t>(r.i32());
    r.skip(4);
    rg.block1 = static_cast<std::uint16_t>(r.u32());
    rg.block2 = static_cast<std::uint16_t>(r.u32());
    rg.layer = static_cast<std::uint8_t>(r.u32());
    rg.reserved2 = static_cast<std::uint8_t>(r.u32());
    r.text(rg.name, kNameField, kShortName);
}

void encodeRlink(const db::Rlink& l, std::uint8_t* p) {
    FieldWriter w(p);
    w.i32(l.rigid);
    w.i32(l.next);
}

void decodeRlink(const std::uint8_t* p, db::Rlink& l) {
    FieldReader r(p);
    l.rigid = static_cast<std::int16_t>(r.i32());
    l.next = static_cast<std::int16_t>(r.i32());
}

void encodeActor(const db::Actor& a, std::uint8_t* p) {
    FieldWriter w(p);
    w.u32(a.startRigid);
    w.u32(a.layer);
    w.u32(a.reserved);
    w.zeros(4);
    w.text(a.name.data(), a.name.size(), kNameField);
}

void decodeActor(const std::uint8_t* p, db::Actor& a) {
    FieldReader r(p);
    a.startRigid = static_cast<std::uint16_t>(r.u32());
    a.layer = static_cast<std::uint8_t>(r.u32());
    a.reserved = static_cast<std::uint8_t>(r.u32());
    r.skip(4);
    r.text(a.name, kNameField, kShortName);
}

}  // namespace rz::fileio
