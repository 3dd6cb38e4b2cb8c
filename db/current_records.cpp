#include "db/current_records.hpp"

#include <algorithm>
#include <cmath>
#include <concepts>
#include <cstdint>
#include <cstring>
#include <limits>
#include <span>
#include <string_view>
#include <type_traits>

#include "db/system_variables.hpp"
#include "script/language_symbols.hpp"

namespace rz::db {
namespace {

using enum SysVar;

constexpr int stringSlot(std::string_view name) {
    for (const script::StringVariable& v : script::kStringVariables)
        if (v.name == name) return v.slot;
    return -1;
}

constexpr int kBlockRefnameSlot = stringSlot("b.refname");
constexpr int kBlockNameSlot = stringSlot("b.name");
constexpr int kRigidNameSlot = stringSlot("rigid.name");
constexpr int kActorNameSlot = stringSlot("actor.name");
static_assert(kBlockRefnameSlot > 0 && kBlockNameSlot > 0 && kRigidNameSlot > 0 &&
              kActorNameSlot > 0);

// A number into an integer field: truncated toward zero, then wrapped to the field's
// width as the old stores did (70000 into 16 unsigned bits is 4464). fmod is exact, so
// even values far beyond the field wrap correctly; NaN and infinities store 0.
template <std::integral T>
T toField(float value) {
    using U = std::make_unsigned_t<T>;
    constexpr double kModulus = static_cast<double>(std::numeric_limits<U>::max()) + 1.0;
    double r = std::fmod(std::trunc(static_cast<double>(value)), kModulus);
    if (!std::isfinite(r)) r = 0.0;
    return static_cast<T>(static_cast<U>(static_cast<std::int64_t>(r)));
}

// A string variable into a text field: at most the field's length - 1 bytes, always
// terminated, the rest cleared so files written from the record carry no stale bytes.
void putText(std::span<char> field, std::string_view text) {
    const std::size_t n = std::min(text.size(), field.size() - 1);
    std::memcpy(field.data(), text.data(), n);
    std::fill(field.begin() + static_cast<std::ptrdiff_t>(n), field.end(), '\0');
}

std::string_view fieldText(std::span<const char> field) {
    return {field.data(), strnlen(field.data(), field.size())};
}

// The current record of a store. Callers keep current records inside their stores; one
// outside copies nothing rather than touch memory past the store.
template <class Store>
auto* recordAt(Store& store, std::int32_t index) {
    return index >= 0 && static_cast<std::size_t>(index) < store.size() ? &store[index] : nullptr;
}

}  // namespace

void putCameraRecord(script::Interp& in) {
    Camera& c = database(in).camera;
    c.pos = vectorVar(in, CPos);
    c.tar = vectorVar(in, CTar);
    c.rot = vectorVar(in, CRot);
    c.upper = vectorVar(in, CUpper);
    c.zoom = scalarVar(in, CZoom);
    c.scrn = scalarVar(in, CScrn);
    c.hither = scalarVar(in, CHither);
    c.yon = scalarVar(in, CYon);
}

void getCameraRecord(script::Interp& in) {
    const Camera& c = database(in).camera;
    vectorVar(in, CPos) = c.pos;
    vectorVar(in, CTar) = c.tar;
    vectorVar(in, CRot) = c.rot;
    vectorVar(in, CUpper) = c.upper;
    scalarVar(in, CZoom) = c.zoom;
    scalarVar(in, CScrn) = c.scrn;
    scalarVar(in, CHither) = c.hither;
    scalarVar(in, CYon) = c.yon;
}

void putLightRecord(script::Interp& in) {
    Database& db = database(in);
    Light* l = recordAt(db.lights, db.currentLight);
    if (l == nullptr) return;
    l->pos = vectorVar(in, LPos);
    l->tar = vectorVar(in, LTar);
    l->rgb = vectorVar(in, LRgb);
    l->gain = scalarVar(in, LGain);
    l->kind = toField<std::int16_t>(scalarVar(in, LKind));
}

void getLightRecord(script::Interp& in) {
    Database& db = database(in);
    const Light* l = recordAt(db.lights, db.currentLight);
    if (l == nullptr) return;
    vectorVar(in, LPos) = l->pos;
    vectorVar(in, LTar) = l->tar;
    vectorVar(in, LRgb) = l->rgb;
    scalarVar(in, LGain) = l->gain;
    scalarVar(in, LKind) = l->kind;
}

// The current attribute is kept by its number, so the number the renderer and the dialogs
// read is always the record put and get work on.
void putAttriRecord(script::Interp& in) {
    Database& db = database(in);
    Attribute* a = recordAt(db.attributes, db.currentAttribute);
    if (a == nullptr) return;
    a->ambient = scalarVar(in, Ambient);
    a->diffuse = scalarVar(in, Diffuse);
    a->specular = scalarVar(in, PSpecl);
    a->specularExponent = scalarVar(in, PSpex);
    a->prg = vectorVar(in, APrg);
    a->rgb = vectorVar(in, ARgb);
    a->arg = vectorVar(in, AArg);
    a->drg = vectorVar(in, ADrg);
    a->opacity = scalarVar(in, Opacity);
    a->gainC = scalarVar(in, GainC);
    a->gainL = scalarVar(in, GainL);
    a->haze = scalarVar(in, Haze);
    a->smooth = toField<std::uint8_t>(scalarVar(in, SmoothSw));
    a->map = toField<std::uint8_t>(scalarVar(in, MapSw));
    a->face = toField<std::uint8_t>(scalarVar(in, FaceSw));
    a->shade = toField<std::uint8_t>(scalarVar(in, ShadeSw));
}

void getAttriRecord(script::Interp& in) {
    Database& db = database(in);
    const Attribute* a = recordAt(db.attributes, db.currentAttribute);
    if (a == nullptr) return;
    scalarVar(in, Ambient) = a->ambient;
    scalarVar(in, Diffuse) = a->diffuse;
    scalarVar(in, PSpecl) = a->specular;
    scalarVar(in, PSpex) = a->specularExponent;
    vectorVar(in, APrg) = a->prg;
    vectorVar(in, ARgb) = a->rgb;
    vectorVar(in, AArg) = a->arg;
    vectorVar(in, ADrg) = a->drg;
    scalarVar(in, Opacity) = a->opacity;
    scalarVar(in, GainC) = a->gainC;
    scalarVar(in, GainL) = a->gainL;
    scalarVar(in, Haze) = a->haze;
    scalarVar(in, SmoothSw) = a->smooth;
    scalarVar(in, MapSw) = a->map;
    scalarVar(in, FaceSw) = a->face;
    scalarVar(in, ShadeSw) = a->shade;
}

void putMapinfoRecord(script::Interp& in) {
    Database& db = database(in);
    Mapinfo* m = recordAt(db.mapinfos, db.currentMapinfo);
    if (m == nullptr) return;
    m->kind = toField<std::int16_t>(scalarVar(in, MKind));
    m->method = toField<std::int16_t>(scalarVar(in, MMethod));
    m->texId = toField<std::int16_t>(scalarVar(in, MTexId));
    m->mopa = scalarVar(in, MMopa);
    m->bump = scalarVar(in, MBump);
    m->ustart = scalarVar(in, MUstart);
    m->uend = scalarVar(in, MUend);
    m->vstart = scalarVar(in, MVstart);
    m->vend = scalarVar(in, MVend);
    m->ulen = scalarVar(in, MUlen);
    m->vlen = scalarVar(in, MVlen);
    m->uofs = scalarVar(in, MUofs);
    m->vofs = scalarVar(in, MVofs);
    m->xlen = scalarVar(in, MXlen);
    m->ylen = scalarVar(in, MYlen);
    m->zlen = scalarVar(in, MZlen);
    m->xcent = scalarVar(in, MXcent);
    m->ycent = scalarVar(in, MYcent);
    m->zcent = scalarVar(in, MZcent);
}

void getMapinfoRecord(script::Interp& in) {
    Database& db = database(in);
    const Mapinfo* m = recordAt(db.mapinfos, db.currentMapinfo);
    if (m == nullptr) return;
    scalarVar(in, MKind) = m->kind;
    scalarVar(in, MMethod) = m->method;
    scalarVar(in, MTexId) = m->texId;
    scalarVar(in, MMopa) = m->mopa;
    scalarVar(in, MBump) = m->bump;
    scalarVar(in, MUstart) = m->ustart;
    scalarVar(in, MUend) = m->uend;
    scalarVar(in, MVstart) = m->vstart;
    scalarVar(in, MVend) = m->vend;
    scalarVar(in, MUlen) = m->ulen;
    scalarVar(in, MVlen) = m->vlen;
    scalarVar(in, MUofs) = m->uofs;
    scalarVar(in, MVofs) = m->vofs;
    scalarVar(in, MXlen) = m->xlen;
    scalarVar(in, MYlen) = m->ylen;
    scalarVar(in, MZlen) = m->zlen;
    scalarVar(in, MXcent) = m->xcent;
    scalarVar(in, MYcent) = m->ycent;
    scalarVar(in, MZcent) = m->zcent;
}

void putMaplistRecord(script::Interp& in) {
    Database& db = database(in);
    Maplist* m = recordAt(db.maplists, db.currentMaplist);
    if (m == nullptr) return;
    m->mapinfo = toField<std::int16_t>(scalarVar(in, MMapinfo));
    m->next = toField<std::int16_t>(scalarVar(in, MNext));
}

void getMaplistRecord(script::Interp& in) {
    Database& db = database(in);
    const Maplist* m = recordAt(db.maplists, db.currentMaplist);
    if (m == nullptr) return;
    scalarVar(in, MMapinfo) = m->mapinfo;
    scalarVar(in, MNext) = m->next;
}

void putBlockRecord(script::Interp& in) {
    Database& db = database(in);
    Block* b = recordAt(db.blocks, db.currentBlock);
    if (b == nullptr) return;
    b->xyzrot = vectorVar(in, BXyzrot);
    b->xyztmp = vectorVar(in, BXyztmp);
    b->center = vectorVar(in, BCenter);
    b->trans = vectorVar(in, BTrans);
    b->xyzmin = vectorVar(in, BXyzmin);
    b->xyzmax = vectorVar(in, BXyzmax);
    b->matrix = matrixVar(in, BMatrix);
    b->rlinkId = toField<std::int16_t>(scalarVar(in, BRlinkId));
    b->layer = toField<std::uint8_t>(scalarVar(in, BLayer));
    b->dummy = toField<std::uint8_t>(scalarVar(in, BDummy));
    putText(b->refname, in.sym.slotText(kBlockRefnameSlot));
    putText(b->name, in.sym.slotText(kBlockNameSlot));
}

void getBlockRecord(script::Interp& in) {
    Database& db = database(in);
    const Block* b = recordAt(db.blocks, db.currentBlock);
    if (b == nullptr) return;
    vectorVar(in, BXyzrot) = b->xyzrot;
    vectorVar(in, BXyztmp) = b->xyztmp;
    vectorVar(in, BCenter) = b->center;
    vectorVar(in, BTrans) = b->trans;
    vectorVar(in, BXyzmin) = b->xyzmin;
    vectorVar(in, BXyzmax) = b->xyzmax;
    matrixVar(in, BMatrix) = b->matrix;
    scalarVar(in, BRlinkId) = b->rlinkId;
    scalarVar(in, BLayer) = b->layer;
    scalarVar(in, BDummy) = b->dummy;
    in.sym.setSlotText(kBlockRefnameSlot, fieldText(b->refname));
    in.sym.setSlotText(kBlockNameSlot, fieldText(b->name));
}

void putRigidRecord(script::Interp& in) {
    Database& db = database(in);
    Rigid* r = recordAt(db.rigids, db.currentRigid);
    if (r == nullptr) return;
    r->pos = vectorVar(in, RigidPos);
    r->old = vectorVar(in, RigidOld);
    r->tmp = vectorVar(in, RigidTmp);
    r->block1 = toField<std::uint16_t>(scalarVar(in, RigidBlock1));
    r->block2 = toField<std::uint16_t>(scalarVar(in, RigidBlock2));
    r->actor = toField<std::int16_t>(scalarVar(in, RigidActor));
    putText(r->name, in.sym.slotText(kRigidNameSlot));
}

void getRigidRecord(script::Interp& in) {
    Database& db = database(in);
    const Rigid* r = recordAt(db.rigids, db.currentRigid);
    if (r == nullptr) return;
    vectorVar(in, RigidPos) = r->pos;
    vectorVar(in, RigidOld) = r->old;
    vectorVar(in, RigidTmp) = r->tmp;
    scalarVar(in, RigidBlock1) = r->block1;
    scalarVar(in, RigidBlock2) = r->block2;
    scalarVar(in, RigidActor) = r->actor;
    in.sym.setSlotText(kRigidNameSlot, fieldText(r->name));
}

void putRlinkRecord(script::Interp& in) {
    Database& db = database(in);
    Rlink* r = recordAt(db.rlinks, db.currentRlink);
    if (r == nullptr) return;
    r->rigid = toField<std::int16_t>(scalarVar(in, RlinkRigid));
    r->next = toField<std::int16_t>(scalarVar(in, RlinkNext));
}

void getRlinkRecord(script::Interp& in) {
    Database& db = database(in);
    const Rlink* r = recordAt(db.rlinks, db.currentRlink);
    if (r == nullptr) return;
    scalarVar(in, RlinkRigid) = r->rigid;
    scalarVar(in, RlinkNext) = r->next;
}

void putActorRecord(script::Interp& in) {
    Database& db = database(in);
    Actor* a = recordAt(db.actors, db.currentActor);
    if (a == nullptr) return;
    a->startRigid = toField<std::uint16_t>(scalarVar(in, ActorStartRigid));
    a->layer = toField<std::uint8_t>(scalarVar(in, ActorLayer));
    putText(a->name, in.sym.slotText(kActorNameSlot));
}

void getActorRecord(script::Interp& in) {
    Database& db = database(in);
    const Actor* a = recordAt(db.actors, db.currentActor);
    if (a == nullptr) return;
    scalarVar(in, ActorStartRigid) = a->startRigid;
    scalarVar(in, ActorLayer) = a->layer;
    in.sym.setSlotText(kActorNameSlot, fieldText(a->name));
}

void selectBlock(script::Interp& in, int n) {
    database(in).currentBlock = n;
    scalarVar(in, BPoint) = static_cast<float>(n);
    getBlockRecord(in);
}

void selectAttri(script::Interp& in, int n) {
    database(in).currentAttribute = n;
    scalarVar(in, AtrPoint) = static_cast<float>(n);
    getAttriRecord(in);
}

void selectMapinfo(script::Interp& in, int n) {
    database(in).currentMapinfo = n;
    scalarVar(in, MiPoint) = static_cast<float>(n);
    getMapinfoRecord(in);
}

void selectMaplist(script::Interp& in, int n) {
    database(in).currentMaplist = n;
    scalarVar(in, MlPoint) = static_cast<float>(n);
    getMaplistRecord(in);
}

void selectRigid(script::Interp& in, int n) {
    database(in).currentRigid = n;
    scalarVar(in, RigidPoint) = static_cast<float>(n);
    getRigidRecord(in);
}

void selectRlink(script::Interp& in, int n) {
    database(in).currentRlink = n;
    scalarVar(in, RlinkPoint) = static_cast<float>(n);
    getRlinkRecord(in);
}

void selectActor(script::Interp& in, int n) {
    database(in).currentActor = n;
    scalarVar(in, ActorPoint) = static_cast<float>(n);
    getActorRecord(in);
}

void resetModelRecords(Database& db) {
    std::fill(db.shapes.begin(), db.shapes.end(), Shape{});
    std::fill(db.patches.begin(), db.patches.end(), 0);
    std::fill(db.affines.begin(), db.affines.end(), kIdentity);
    std::fill(db.blocks.begin(), db.blocks.end(), Block{});
    std::fill(db.rigids.begin(), db.rigids.end(), Rigid{});
    std::fill(db.rlinks.begin(), db.rlinks.end(), Rlink{});
    std::fill(db.actors.begin(), db.actors.end(), Actor{});
    std::fill(db.maplists.begin(), db.maplists.end(), Maplist{});
    for (Mapinfo& m : db.mapinfos) m.texId = 0;
    for (Mapdata& m : db.mapdatas) {
        m.offset = 0;
        m.size = 0;
    }

    db.axisCount = 0;
    db.patchCount = 0;
    db.shapeCount = 0;
    db.blockCount = 1;
    db.rigidCount = 0;
    db.rlinkCount = 0;
    db.actorCount = 1;
    db.affineCount = 1;
    db.attributeCount = 1;
    db.maplistCount = 1;
    db.mapinfoCount = 1;
    db.mapdataCount = 1;
    db.textureBytesUsed = 0;
    db.textureWritePos = 0;
    db.undoPoint = {};  // an undo must not reach into the emptied model

    db.currentBlock = 0;
    db.currentRigid = 0;
    db.currentRlink = 0;
    db.currentActor = 0;
    db.currentAttribute = 0;
    db.currentMaplist = 0;
    db.currentMapinfo = 0;
    db.currentMapdata = 0;
    if (Attribute* a = recordAt(db.attributes, db.currentAttribute)) {
        a->smooth = 1;
        a->map = 1;
        a->face = 0;
    }

    db.loadBase = LoadBases{};
    db.modelFileName.fill('\0');
}

}  // namespace rz::db
