#include "db/system_variables.hpp"

#include <array>
#include <span>

namespace rz::db {
namespace {

using script::SymbolTable;
using script::Tok;

enum class Kind : std::uint8_t { Scalar, Vector, Matrix };

struct Definition {
    SysVar var;
    std::string_view name;
    Kind kind;
    Vec3 value;  // a scalar's value is the first element
};

constexpr Definition scalar(SysVar v, std::string_view name, float value) {
    return {v, name, Kind::Scalar, {value, 0.0f, 0.0f}};
}
constexpr Definition vector(SysVar v, std::string_view name, float x = 0.0f, float y = 0.0f,
                            float z = 0.0f) {
    return {v, name, Kind::Vector, {x, y, z}};
}
constexpr Definition matrix(SysVar v, std::string_view name) {
    return {v, name, Kind::Matrix, {}};
}

using enum SysVar;

// Registration order is slot order. The mapping lengths start at 2000 and are set to 100
// by the mapping reset that start-up runs right after.
constexpr std::array kModelVariables{
    vector(CPos, "c.pos", 2000, 2000, 2000),
    vector(CTar, "c.tar"),
    vector(CRot, "c.rot"),
    vector(CUpper, "c.upper", -0.3333f, 0.3333f, -0.3333f),
    scalar(CZoom, "c.zoom", 80),
    scalar(CScrn, "c.scrn", 1),
    scalar(CHither, "c.hither", 50),
    scalar(CYon, "c.yon", 1e8f),

    vector(LPos, "l.pos", 10000, 20000, 30000),
    vector(LTar, "l.tar"),
    vector(LRgb, "l.rgb", 1, 1, 1),
    scalar(LGain, "l.gain", 1),
    scalar(LKind, "l.kind", 1),
    scalar(LPoint, "l.point", 0),
    scalar(LMax, "l.max", 1),

    vector(ARgb, "a.rgb", 0.2f, 0.9f, 0.1f),
    vector(AArg, "a.arg", 0.15f, 0.15f, 0.15f),
    vector(APrg, "a.prg", 1, 1, 1),
    vector(ADrg, "a.drg", 0.6f, 0.6f, 0.6f),
    scalar(Diffuse, "diffuse", 0.6f),
    scalar(PSpecl, "p.specl", 0.75f),
    scalar(PSpex, "p.spex", 35),
    scalar(Ambient, "ambient", 0.15f),
    scalar(Opacity, "opacity", 1),
    scalar(GainC, "gain.c", 1),
    scalar(GainL, "gain.l", 0),
    scalar(Haze, "haze", 0),
    scalar(SmoothSw, "smooth.sw", 1),
    scalar(MapSw, "map.sw", 1),
    scalar(FaceSw, "face.sw", 0),
    scalar(ShadeSw, "shade.sw", 0),
    scalar(AtrMax, "atr.max", 1),
    scalar(AtrPoint, "atr.point", 0),

    scalar(MUstart, "m.ustart", 0),
    scalar(MVstart, "m.vstart", 0),
    scalar(MUend, "m.uend", 1),
    scalar(MVend, "m.vend", 1),
    scalar(MUlen, "m.ulen", 1),
    scalar(MVlen, "m.vlen", 1),
    scalar(MUofs, "m.uofs", 0),
    scalar(MVofs, "m.vofs", 0),
    scalar(MMopa, "m.mopa", 1),
    scalar(MBump, "m.bump", 1),
    scalar(MXcent, "m.xcent", 0),
    scalar(MYcent, "m.ycent", 0),
    scalar(MZcent, "m.zcent", 0),
    scalar(MXlen, "m.xlen", 2000),
    scalar(MYlen, "m.ylen", 2000),
    scalar(MZlen, "m.zlen", 2000),
    scalar(MKind, "m.kind", 2),
    scalar(MMethod, "m.method", 1),
    scalar(MTexId, "m.tex.id", 0),
    scalar(MapinfoMax, "mapinfo.max", 1),
    scalar(MapdataMax, "mapdata.max", 1),
    scalar(MiPoint, "mi.point", 0),
    scalar(MdPoint, "md.point", 1),
    scalar(MlPoint, "ml.point", 0),
    scalar(MMapinfo, "m.mapinfo", 0),
    scalar(MNext, "m.next", 0),
    scalar(IUstart, "i.ustart", 0),
    scalar(IUend, "i.uend", 319),
    scalar(IVstart, "i.vstart", 0),
    scalar(IVend, "i.vend", 239),

    vector(AxisWv, "axis.wv"),
    vector(AxisNv, "axis.nv"),
    scalar(AxisU, "axis.u", 0),
    scalar(AxisV, "axis.v", 0),
    scalar(PatchP, "patch.p", 0),
    scalar(ShapeId, "shape.id", 0),
    scalar(ShAxisId, "sh.axis.id", 0),
    scalar(ShAxisTotal, "sh.axis.total", 0),
    scalar(ShPatchId, "sh.patch.id", 0),
    scalar(ShPatchTotal, "sh.patch.total", 0),
    scalar(ShMatrixId, "sh.matrix.id", 0),
    scalar(ShAttribId, "sh.attrib.id", 0),
    scalar(ShTextureId, "sh.texture.id", 0),
    scalar(ShLayer, "sh.layer", 0),
    scalar(ShKind, "sh.kind", 0),
    scalar(ShPage, "sh.page", 0),
    scalar(ShLrflag, "sh.lrflag", 0),
    scalar(ShSmoothflag, "sh.smoothflag", 0),
    scalar(ShDummy, "sh.dummy", 0),
    vector(ShBbmin, "sh.bbmin.v"),
    vector(ShBbmax, "sh.bbmax.v"),
    matrix(MatrixA, "matrix.a"),

    scalar(BRlinkId, "b.rlink.id", -1),
    scalar(BLayer, "b.layer", 0),
    scalar(BDummy, "b.dummy", 0),
    vector(BXyzrot, "b.xyzrot.v"),
    vector(BXyztmp, "b.xyztmp.v"),
    vector(BXyzmin, "b.xyzmin.v"),
    vector(BXyzmax, "b.xyzmax.v"),
    vector(BCenter, "b.center.v"),
    vector(BTrans, "b.trans.v"),
    matrix(BMatrix, "b.matrix"),
    scalar(BPoint, "b.point", 0),

    vector(RigidPos, "rigid.pos.v"),
    vector(RigidOld, "rigid.old.v"),
    vector(RigidTmp, "rigid.tmp.v"),
    scalar(RigidBlock1, "rigid.block1.id", 0),
    scalar(RigidBlock2, "rigid.block2.id", 0),
    scalar(RigidActor, "rigid.actor.id", -1),
    scalar(RigidLayer, "rigid.layer", 0),
    scalar(RigidPoint, "rigid.point", 0),

    scalar(RlinkRigid, "rlink.rigid.id", -1),
    scalar(RlinkNext, "rlink.next", -1),
    scalar(RlinkPoint, "rlink.point", 0),

    scalar(ActorStartRigid, "actor.start.rigid", 0),
    scalar(ActorLayer, "actor.layer", 0),
    scalar(ActorPoint, "actor.point", 0),

    scalar(BCursorCode, "b.cursor.code", 7),
    scalar(ImgSLeft, "img.s.left", 0),
    scalar(ImgSTop, "img.s.top", 0),
    scalar(ImgSRight, "img.s.right", 639),
    scalar(ImgSBottom, "img.s.bottom", 479),
    scalar(Work1, "work1", 0),
    scalar(Work2, "work2", 0),
    scalar(Work3, "work3", 0),
    scalar(Div, "div", 12),
    scalar(Futa, "futa", 0),
    scalar(Direc, "direc", 1),
    scalar(TRatio, "t.ratio", 0.5f),
    scalar(DxfScale, "dxf.scale", 1),
    scalar(VrmlScale, "vrml.scale", 1),
    scalar(CbufCode, "cbuf.code", 0),
    vector(CbufColor, "cbuf.color.v"),
};

constexpr std::array kWireViewVariables{
    vector(WCenter, "w.center"),
    vector(GPos, "g.pos"),
    vector(EPos, "e.pos"),
    vector(BoxS, "box.s"),
    vector(BoxE, "box.e", 500, 500, 500),
    scalar(WindyXpos, "windy.xpos", 72),
    scalar(WindyYpos, "windy.ypos", 5),
    scalar(WindyXwidth, "windy.xwidth", 540),
    scalar(WindyYwidth, "windy.ywidth", 405),
    scalar(Winmode, "winmode", 6),
    scalar(GridSize, "grid.size", 20000),
    scalar(GridStep, "grid.step", 500),
    scalar(GridPlane, "grid.plane", 3),
    scalar(GridSw, "grid.sw", 1),
    vector(GridCenter, "grid.center"),
};

struct ColourDefinition {
    std::string_view name;
    Vec3 value;
};

constexpr std::array<ColourDefinition, kWireColourCount> kWireColours{{
    {"C.BLACK", {0, 0, 0}},
    {"C.FONTbase", {255, 255, 255}},
    {"C.FONTmain", {0, 0, 0}},
    {"C.LINEbase", {80, 80, 80}},
    {"C.LAYER", {255, 0, 0}},
    {"C.AXIS", {104, 216, 255}},
    {"C.ANKER", {0, 255, 0}},
    {"C.WHITE", {255, 255, 255}},
    {"C.ACTIVE", {255, 255, 0}},
    {"C.WINbase", {239, 239, 239}},
    {"C.ALLbase", {175, 175, 175}},
}};

// Each table continues the slots where the one before it ended.
constexpr bool inSlotOrder(std::span<const Definition> table, SysVar first) {
    for (std::size_t i = 0; i < table.size(); ++i)
        if (static_cast<std::size_t>(table[i].var) != static_cast<std::size_t>(first) + i)
            return false;
    return true;
}
static_assert(inSlotOrder(kModelVariables, CPos));
static_assert(inSlotOrder(kWireViewVariables, WCenter));
static_assert(static_cast<std::size_t>(WCenter) == kModelVariables.size());
static_assert(static_cast<std::size_t>(WireColours) ==
              kModelVariables.size() + kWireViewVariables.size());

bool registerAll(script::Interp& in, std::span<const Definition> table) {
    SymbolTable& sym = in.sym;
    for (const Definition& d : table) {
        int s = SymbolTable::kNone;
        switch (d.kind) {
            case Kind::Scalar:
                s = sym.install(d.name, Tok::Scalar, d.value[0]);
                break;
            case Kind::Vector:
                s = sym.installVector(d.name, d.value[0], d.value[1], d.value[2]);
                break;
            case Kind::Matrix:
                s = sym.installMatrix(d.name);
                break;
        }
        if (s == SymbolTable::kNone) return false;
        sym.systemSlot(static_cast<int>(d.var)) = s;
    }
    return true;
}

}  // namespace

bool registerModelVariables(script::Interp& in) {
    return registerAll(in, kModelVariables);
}

bool registerWireViewVariables(script::Interp& in) {
    return registerAll(in, kWireViewVariables);
}

bool registerWireColours(script::Interp& in) {
    SymbolTable& sym = in.sym;
    for (std::size_t i = 0; i < kWireColours.size(); ++i) {
        const Vec3& c = kWireColours[i].value;
        const int s = sym.installVector(kWireColours[i].name, c[0], c[1], c[2]);
        if (s == SymbolTable::kNone) return false;
        if (i == 0) sym.systemSlot(static_cast<int>(WireColours)) = s;
    }
    return true;
}

}  // namespace rz::db
