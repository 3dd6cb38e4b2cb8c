// The state right after start-up: every system variable with its default, read through the
// language as a user reads it, reached by program code through its slot, and every count,
// current record and record the start-up leaves behind.
#include "db/init_database.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "db/current_records.hpp"
#include "db/system_variables.hpp"
#include "started_database.hpp"

namespace rz::test {
namespace {

using db::SysVar;
using enum db::SysVar;

struct Default {
    SysVar var;
    const char* name;
    std::string shown;  // what print shows
};

Default num(SysVar v, const char* name, double value) {
    return {v, name, printed(value)};
}
Default vec(SysVar v, const char* name, double x = 0, double y = 0, double z = 0) {
    return {v, name, printed(x, y, z)};
}

// Every scalar and vector system variable with its start-up value, in slot order.
const std::vector<Default> kDefaults = {
    vec(CPos, "c.pos", 2000, 2000, 2000),
    vec(CTar, "c.tar"),
    vec(CRot, "c.rot"),
    vec(CUpper, "c.upper", -0.3333f, 0.3333f, -0.3333f),
    num(CZoom, "c.zoom", 80),
    num(CScrn, "c.scrn", 1),
    num(CHither, "c.hither", 50),
    num(CYon, "c.yon", 1e8),
    vec(LPos, "l.pos", 10000, 20000, 30000),
    vec(LTar, "l.tar"),
    vec(LRgb, "l.rgb", 1, 1, 1),
    num(LGain, "l.gain", 1),
    num(LKind, "l.kind", 1),
    num(LPoint, "l.point", 0),
    num(LMax, "l.max", 1),
    vec(ARgb, "a.rgb", 0.2f, 0.9f, 0.1f),
    vec(AArg, "a.arg", 0.15f, 0.15f, 0.15f),
    vec(APrg, "a.prg", 1, 1, 1),
    vec(ADrg, "a.drg", 0.6f, 0.6f, 0.6f),
    num(Diffuse, "diffuse", 0.6f),
    num(PSpecl, "p.specl", 0.75),
    num(PSpex, "p.spex", 35),
    num(Ambient, "ambient", 0.15f),
    num(Opacity, "opacity", 1),
    num(GainC, "gain.c", 1),
    num(GainL, "gain.l", 0),
    num(Haze, "haze", 0),
    num(SmoothSw, "smooth.sw", 1),
    num(MapSw, "map.sw", 1),
    num(FaceSw, "face.sw", 0),
    num(ShadeSw, "shade.sw", 0),
    num(AtrMax, "atr.max", 1),
    num(AtrPoint, "atr.point", 0),
    num(MUstart, "m.ustart", 0),
    num(MVstart, "m.vstart", 0),
    num(MUend, "m.uend", 1),
    num(MVend, "m.vend", 1),
    num(MUlen, "m.ulen", 1),
    num(MVlen, "m.vlen", 1),
    num(MUofs, "m.uofs", 0),
    num(MVofs, "m.vofs", 0),
    num(MMopa, "m.mopa", 1),
    num(MBump, "m.bump", 1),
    num(MXcent, "m.xcent", 0),
    num(MYcent, "m.ycent", 0),
    num(MZcent, "m.zcent", 0),
    num(MXlen, "m.xlen", 100),  // registered as 2000, set by the mapping reset
    num(MYlen, "m.ylen", 100),
    num(MZlen, "m.zlen", 100),
    num(MKind, "m.kind", 2),
    num(MMethod, "m.method", 1),
    num(MTexId, "m.tex.id", 0),
    num(MapinfoMax, "mapinfo.max", 1),
    num(MapdataMax, "mapdata.max", 1),
    num(MiPoint, "mi.point", 0),
    num(MdPoint, "md.point", 1),
    num(MlPoint, "ml.point", 0),
    num(MMapinfo, "m.mapinfo", 0),
    num(MNext, "m.next", 0),
    num(IUstart, "i.ustart", 0),
    num(IUend, "i.uend", 319),
    num(IVstart, "i.vstart", 0),
    num(IVend, "i.vend", 239),
    vec(AxisWv, "axis.wv"),
    vec(AxisNv, "axis.nv"),
    num(AxisU, "axis.u", 0),
    num(AxisV, "axis.v", 0),
    num(PatchP, "patch.p", 0),
    num(ShapeId, "shape.id", 0),
    num(ShAxisId, "sh.axis.id", 0),
    num(ShAxisTotal, "sh.axis.total", 0),
    num(ShPatchId, "sh.patch.id", 0),
    num(ShPatchTotal, "sh.patch.total", 0),
    num(ShMatrixId, "sh.matrix.id", 0),
    num(ShAttribId, "sh.attrib.id", 0),
    num(ShTextureId, "sh.texture.id", 0),
    num(ShLayer, "sh.layer", 0),
    num(ShKind, "sh.kind", 0),
    num(ShPage, "sh.page", 0),
    num(ShLrflag, "sh.lrflag", 0),
    num(ShSmoothflag, "sh.smoothflag", 0),
    num(ShDummy, "sh.dummy", 0),
    vec(ShBbmin, "sh.bbmin.v"),
    vec(ShBbmax, "sh.bbmax.v"),
    num(BRlinkId, "b.rlink.id", -1),
    num(BLayer, "b.layer", 0),
    num(BDummy, "b.dummy", 0),
    vec(BXyzrot, "b.xyzrot.v"),
    vec(BXyztmp, "b.xyztmp.v"),
    vec(BXyzmin, "b.xyzmin.v"),
    vec(BXyzmax, "b.xyzmax.v"),
    vec(BCenter, "b.center.v"),
    vec(BTrans, "b.trans.v"),
    num(BPoint, "b.point", 0),
    vec(RigidPos, "rigid.pos.v"),
    vec(RigidOld, "rigid.old.v"),
    vec(RigidTmp, "rigid.tmp.v"),
    num(RigidBlock1, "rigid.block1.id", 0),
    num(RigidBlock2, "rigid.block2.id", 0),
    num(RigidActor, "rigid.actor.id", -1),
    num(RigidLayer, "rigid.layer", 0),
    num(RigidPoint, "rigid.point", 0),
    num(RlinkRigid, "rlink.rigid.id", -1),
    num(RlinkNext, "rlink.next", -1),
    num(RlinkPoint, "rlink.point", 0),
    num(ActorStartRigid, "actor.start.rigid", 0),
    num(ActorLayer, "actor.layer", 0),
    num(ActorPoint, "actor.point", 0),
    num(BCursorCode, "b.cursor.code", 7),
    num(ImgSLeft, "img.s.left", 0),
    num(ImgSTop, "img.s.top", 0),
    num(ImgSRight, "img.s.right", 639),
    num(ImgSBottom, "img.s.bottom", 479),
    num(Work1, "work1", 0),
    num(Work2, "work2", 0),
    num(Work3, "work3", 0),
    num(Div, "div", 12),
    num(Futa, "futa", 0),
    num(Direc, "direc", 1),
    num(TRatio, "t.ratio", 0.5),
    num(DxfScale, "dxf.scale", 1),
    num(VrmlScale, "vrml.scale", 1),
    num(CbufCode, "cbuf.code", 0),
    vec(CbufColor, "cbuf.color.v"),
    vec(WCenter, "w.center"),
    vec(GPos, "g.pos"),
    vec(EPos, "e.pos"),
    vec(BoxS, "box.s"),
    vec(BoxE, "box.e", 500, 500, 500),
    num(WindyXpos, "windy.xpos", 72),
    num(WindyYpos, "windy.ypos", 5),
    num(WindyXwidth, "windy.xwidth", 540),
    num(WindyYwidth, "windy.ywidth", 405),
    num(Winmode, "winmode", 6),
    num(GridSize, "grid.size", 20000),
    num(GridStep, "grid.step", 500),
    num(GridPlane, "grid.plane", 3),
    num(GridSw, "grid.sw", 1),
    vec(GridCenter, "grid.center"),
};

using StartUp = StartedDatabase;

TEST_F(StartUp, EveryVariableHasItsDefaultAndItsSlot) {
    std::set<SysVar> seen;
    for (const Default& d : kDefaults) {
        EXPECT_EQ(print(d.name), d.shown) << d.name;
        EXPECT_EQ(in.sym.name(db::sysVarSymbol(in, d.var)), d.name);
        seen.insert(d.var);
    }
    // The two matrices are the only other variables with a slot of their own.
    for (const auto& [var, name] :
         {std::pair{MatrixA, "matrix.a"}, std::pair{BMatrix, "b.matrix"}}) {
        EXPECT_EQ(in.sym.name(db::sysVarSymbol(in, var)), name);
        EXPECT_EQ(in.sym[in.sym.lookup(name)].kind, script::Tok::Matrix) << name;
        EXPECT_EQ(db::matrixVar(in, var), kIdentity) << name;
        seen.insert(var);
    }
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(db::kSysVarCount - 1));
    EXPECT_TRUE(sink.boxes().empty());
}

TEST_F(StartUp, AccessorsReachTheLiveVariables) {
    run("c.zoom = 45; let l.pos 1 2 3; work2 = work1 + 7;");
    ASSERT_TRUE(sink.boxes().empty()) << sink.boxes().front();
    EXPECT_EQ(db::scalarVar(in, CZoom), 45.0f);
    EXPECT_EQ(db::vectorVar(in, LPos), (Vec3{1, 2, 3}));
    EXPECT_EQ(db::scalarVar(in, Work2), 7.0f);
    db::scalarVar(in, GridStep) = 250;
    EXPECT_EQ(print("grid.step"), printed(250));
}

TEST_F(StartUp, SystemVariablesComeBeforeTheLanguageSymbols) {
    // Registration order is slot order, and the language's own names follow all of them.
    int previous = -1;
    for (int slot = 0; slot < db::kSysVarCount; ++slot) {
        const int s = in.sym.systemSlot(slot);
        EXPECT_GT(s, previous) << "slot " << slot;
        previous = s;
    }
    EXPECT_GT(in.sym.lookup("C.ALLbase"), previous);
    for (const char* name : {"#STRING", "backimage.name", "dummy", "print", "defend", "WIRE"})
        EXPECT_GT(in.sym.lookup(name), in.sym.lookup("C.ALLbase")) << name;
    EXPECT_EQ(in.sym[in.sym.lookup("b.name")].kind, script::Tok::StringVar);
}

TEST_F(StartUp, WireColoursHaveTheirPaletteDefaults) {
    using db::WireColour;
    struct Colour {
        WireColour colour;
        const char* name;
        Vec3 rgb;
    };
    const Colour colours[] = {
        {WireColour::Black, "C.BLACK", {0, 0, 0}},
        {WireColour::FontBase, "C.FONTbase", {255, 255, 255}},
        {WireColour::FontMain, "C.FONTmain", {0, 0, 0}},
        {WireColour::LineBase, "C.LINEbase", {80, 80, 80}},
        {WireColour::Layer, "C.LAYER", {255, 0, 0}},
        {WireColour::Axis, "C.AXIS", {104, 216, 255}},
        {WireColour::Anker, "C.ANKER", {0, 255, 0}},
        {WireColour::White, "C.WHITE", {255, 255, 255}},
        {WireColour::Active, "C.ACTIVE", {255, 255, 0}},
        {WireColour::WinBase, "C.WINbase", {239, 239, 239}},
        {WireColour::AllBase, "C.ALLbase", {175, 175, 175}},
    };
    for (const Colour& c : colours) {
        EXPECT_EQ(print(c.name), printed(c.rgb[0], c.rgb[1], c.rgb[2])) << c.name;
        EXPECT_EQ(db::wireColour(in, c.colour), c.rgb) << c.name;
    }
    // The palette follows the variables as scripts change them.
    run("let C.ACTIVE 1 2 3;");
    ASSERT_TRUE(sink.boxes().empty()) << sink.boxes().front();
    EXPECT_EQ(db::wireColour(in, WireColour::Active), (Vec3{1, 2, 3}));
}

TEST_F(StartUp, CountsAndCurrentRecords) {
    struct Count {
        const char* what;
        std::int32_t value;
        std::int32_t expected;
    };
    const Count counts[] = {
        {"axis count", model.axisCount, 0},
        {"patch count", model.patchCount, 0},
        {"shape count", model.shapeCount, 0},
        {"block count", model.blockCount, 1},
        {"rigid count", model.rigidCount, 0},
        {"rlink count", model.rlinkCount, 0},
        {"actor count", model.actorCount, 1},
        {"affine count", model.affineCount, 1},
        {"attribute count", model.attributeCount, 1},
        {"maplist count", model.maplistCount, 1},
        {"mapinfo count", model.mapinfoCount, 1},
        {"mapdata count", model.mapdataCount, 1},
        {"texture bytes used", model.textureBytesUsed, 0},
        {"texture write position", model.textureWritePos, 0},
        {"current block", model.currentBlock, 0},
        {"current rigid", model.currentRigid, 0},
        {"current rlink", model.currentRlink, 0},
        {"current actor", model.currentActor, 0},
        {"current attribute", model.currentAttribute, 1},
        {"current maplist", model.currentMaplist, 0},
        {"current mapinfo", model.currentMapinfo, 1},
        {"current mapdata", model.currentMapdata, 0},
        {"current light", model.currentLight, 0},
    };
    for (const Count& c : counts) EXPECT_EQ(c.value, c.expected) << c.what;
    const db::LoadBases zero{};
    EXPECT_EQ(std::memcmp(&model.loadBase, &zero, sizeof zero), 0);
    EXPECT_EQ(model.modelFileName[0], '\0');
    EXPECT_EQ(in.sym.slotText(script::SymbolTable::kForcedExtensionSlot), "");
    EXPECT_EQ(in.db, &model);
}

TEST_F(StartUp, DefaultsArePutIntoTheirRecords) {
    const db::Camera& c = model.camera;
    EXPECT_EQ(c.pos, (Vec3{2000, 2000, 2000}));
    EXPECT_EQ(c.upper, (Vec3{-0.3333f, 0.3333f, -0.3333f}));
    EXPECT_EQ(c.zoom, 80.0f);
    EXPECT_EQ(c.scrn, 1.0f);
    EXPECT_EQ(c.hither, 50.0f);
    EXPECT_EQ(c.yon, 1e8f);

    const db::Light& l = model.lights[0];
    EXPECT_EQ(l.pos, (Vec3{10000, 20000, 30000}));
    EXPECT_EQ(l.rgb, (Vec3{1, 1, 1}));
    EXPECT_EQ(l.kind, 1);
    EXPECT_EQ(l.gain, 1.0f);
    EXPECT_EQ(model.lights[1].kind, 0);

    for (int n : {0, 1}) {
        const db::Attribute& a = model.attributes[n];
        EXPECT_EQ(a.specular, 0.75f) << n;
        EXPECT_EQ(a.specularExponent, 35.0f) << n;
        EXPECT_EQ(a.diffuse, 0.6f) << n;
        EXPECT_EQ(a.ambient, 0.15f) << n;
        EXPECT_EQ(a.rgb, (Vec3{0.2f, 0.9f, 0.1f})) << n;
        EXPECT_EQ(a.opacity, 1.0f) << n;
        EXPECT_EQ(a.gainC, 1.0f) << n;
        EXPECT_EQ(a.smooth, 1) << n;
        EXPECT_EQ(a.map, 1) << n;
        EXPECT_EQ(a.face, 0) << n;
    }
    EXPECT_EQ(model.attributes[2].specular, 0.0f);

    for (int n : {0, 1}) {
        const db::Mapinfo& m = model.mapinfos[n];
        EXPECT_EQ(m.kind, 2) << n;
        EXPECT_EQ(m.method, 1) << n;
        EXPECT_EQ(m.texId, 0) << n;
        EXPECT_EQ(m.uend, 1.0f) << n;
        EXPECT_EQ(m.mopa, 1.0f) << n;
        EXPECT_EQ(m.xlen, 100.0f) << n;
        EXPECT_EQ(m.ylen, 100.0f) << n;
        EXPECT_EQ(m.zlen, 100.0f) << n;
    }
    EXPECT_EQ(model.mapinfos[2].kind, 0);

    const db::Block& b = model.blocks[0];
    EXPECT_EQ(b.rlinkId, -1);
    EXPECT_EQ(b.matrix, kIdentity);
    EXPECT_STREQ(b.refname.data(), "*");
    EXPECT_STREQ(b.name.data(), "noname");
    EXPECT_EQ(model.rigids[0].actor, -1);
    EXPECT_STREQ(model.rigids[0].name.data(), "noname");
    EXPECT_EQ(model.rlinks[0].next, -1);
    EXPECT_STREQ(model.actors[0].name.data(), "noname");
    EXPECT_EQ(model.affines.back(), kIdentity);
    EXPECT_EQ(model.shapes.back().editHead, db::kNoEdits);

    ASSERT_EQ(model.editList.size(), static_cast<std::size_t>(db::kEditListSize));
    for (const db::EditRecord& e : model.editList) {
        ASSERT_EQ(e.link, -1);
        ASSERT_EQ(e.offset, 0);
        ASSERT_EQ(e.displacement, Vec3{});
    }
}

TEST_F(StartUp, DefaultCapacities) {
    struct Store {
        const char* what;
        std::size_t size;
        std::size_t expected;
    };
    const Store stores[] = {
        {"axes", model.axes.size(), 26000},
        {"patches", model.patches.size(), 22000},
        {"shapes", model.shapes.size(), 4000},
        {"blocks", model.blocks.size(), 1000},
        {"rigids", model.rigids.size(), 1000},
        {"rlinks", model.rlinks.size(), 2000},
        {"actors", model.actors.size(), 100},
        {"affines", model.affines.size(), 4000},
        {"attributes", model.attributes.size(), 1500},
        {"maplists", model.maplists.size(), 4000},
        {"mapinfos", model.mapinfos.size(), 2000},
        {"mapdatas", model.mapdatas.size(), 100},
        {"texture buffer", model.textureBuffer.size(), 2457600},
    };
    for (const Store& s : stores) EXPECT_EQ(s.size, s.expected) << s.what;
    EXPECT_EQ(model.usableAxisLimit(), 25000);
}

class SmallStartUp : public StartedDatabase {
  protected:
    static db::Settings small() {
        db::Settings s;
        s.capacity = {.axismax = 1100,
                      .patchmax = 50,
                      .shapemax = 7,
                      .blockmax = 3,
                      .rigidmax = 4,
                      .rlinkmax = 5,
                      .actormax = 6,
                      .affinemax = 8,
                      .attrimax = 2,
                      .maplistmax = 9,
                      .mapinfomax = 2,
                      .mapdatamax = 10,
                      .mapimagemax = 11,
                      .scriptmax = 1000};
        return s;
    }
    SmallStartUp() : StartedDatabase(small()) {}
};

TEST_F(SmallStartUp, StoresTakeTheirCapacitiesFromTheSettings) {
    const std::size_t sizes[] = {
        model.axes.size(),         model.patches.size(),  model.shapes.size(),
        model.blocks.size(),       model.rigids.size(),   model.rlinks.size(),
        model.actors.size(),       model.affines.size(),  model.attributes.size(),
        model.maplists.size(),     model.mapinfos.size(), model.mapdatas.size(),
        model.textureBuffer.size()};
    const std::size_t expected[] = {1100, 50, 7, 3, 4, 5, 6, 8, 2, 9, 2, 10, 11};
    EXPECT_TRUE(std::equal(std::begin(sizes), std::end(sizes), std::begin(expected)));
    EXPECT_EQ(model.capacity.scriptmax, 1000);
    // The smallest stores start-up can work with still get every default.
    EXPECT_EQ(model.attributes[1].specular, 0.75f);
    EXPECT_EQ(model.mapinfos[1].xlen, 100.0f);
    EXPECT_EQ(print("m.xlen, atr.point"), " 100.000000 0.000000\n");
}

}  // namespace
}  // namespace rz::test
