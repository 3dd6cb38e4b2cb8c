#pragma once
// The system variables: language variables registered at start-up with their defaults and
// entered in fixed slots of DB_Symbols, so program code reaches them without a lookup. The
// slot of each variable is its SysVar value; the variables are registered in that order.

#include <cstdint>

#include "math/value_types.hpp"
#include "script/interp.hpp"

namespace rz::db {

enum class SysVar : std::uint8_t {
    // Camera, bound to the camera record.
    CPos,
    CTar,
    CRot,
    CUpper,
    CZoom,
    CScrn,
    CHither,
    CYon,
    // Light, bound to the current light; l.point and l.max are not bound.
    LPos,
    LTar,
    LRgb,
    LGain,
    LKind,
    LPoint,
    LMax,
    // Attribute, bound to the current attribute; atr.max and atr.point are not bound.
    ARgb,
    AArg,
    APrg,
    ADrg,
    Diffuse,
    PSpecl,
    PSpex,
    Ambient,
    Opacity,
    GainC,
    GainL,
    Haze,
    SmoothSw,
    MapSw,
    FaceSw,
    ShadeSw,
    AtrMax,
    AtrPoint,
    // Mapping, bound to the current mapinfo.
    MUstart,
    MVstart,
    MUend,
    MVend,
    MUlen,
    MVlen,
    MUofs,
    MVofs,
    MMopa,
    MBump,
    MXcent,
    MYcent,
    MZcent,
    MXlen,
    MYlen,
    MZlen,
    MKind,
    MMethod,
    MTexId,
    MapinfoMax,
    MapdataMax,
    MiPoint,
    MdPoint,
    MlPoint,
    // Maplist, bound to the current maplist.
    MMapinfo,
    MNext,
    // The frame-buffer rectangle set.mapimage copies.
    IUstart,
    IUend,
    IVstart,
    IVend,
    // Geometry, read by the raw record commands.
    AxisWv,
    AxisNv,
    AxisU,
    AxisV,
    PatchP,
    ShapeId,
    ShAxisId,
    ShAxisTotal,
    ShPatchId,
    ShPatchTotal,
    ShMatrixId,
    ShAttribId,
    ShTextureId,
    ShLayer,
    ShKind,
    ShPage,
    ShLrflag,
    ShSmoothflag,
    ShDummy,
    ShBbmin,
    ShBbmax,
    MatrixA,
    // Block, bound to the current block; b.point is not bound.
    BRlinkId,
    BLayer,
    BDummy,
    BXyzrot,
    BXyztmp,
    BXyzmin,
    BXyzmax,
    BCenter,
    BTrans,
    BMatrix,
    BPoint,
    // Rigid, bound to the current rigid; rigid.layer and rigid.point are not bound.
    RigidPos,
    RigidOld,
    RigidTmp,
    RigidBlock1,
    RigidBlock2,
    RigidActor,
    RigidLayer,
    RigidPoint,
    // Rlink, bound to the current rlink.
    RlinkRigid,
    RlinkNext,
    RlinkPoint,
    // Actor, bound to the current actor.
    ActorStartRigid,
    ActorLayer,
    ActorPoint,
    // Used by the primitives, images, exporters and the renderer.
    BCursorCode,
    ImgSLeft,
    ImgSTop,
    ImgSRight,
    ImgSBottom,
    Work1,
    Work2,
    Work3,
    Div,
    Futa,
    Direc,
    TRatio,
    DxfScale,
    VrmlScale,
    CbufCode,
    CbufColor,
    // The wireframe views, registered after the model's variables.
    WCenter,
    GPos,
    EPos,
    BoxS,
    BoxE,
    WindyXpos,
    WindyYpos,
    WindyXwidth,
    WindyYwidth,
    Winmode,
    GridSize,
    GridStep,
    GridPlane,
    GridSw,
    GridCenter,
    // The first of the wireframe colour vectors; the others follow it in the symbol table
    // (see wireColour), which keeps all of them within the 150 slots.
    WireColours,
    Count
};

inline constexpr int kSysVarCount = static_cast<int>(SysVar::Count);
static_assert(kSysVarCount <= script::SymbolTable::kSystemSlots);

// The palette colours of the wireframe views, components 0..255, in palette order.
enum class WireColour : std::uint8_t {
    Black,
    FontBase,
    FontMain,
    LineBase,
    Layer,
    Axis,
    Anker,
    White,
    Active,
    WinBase,
    AllBase,
    Count
};

inline constexpr int kWireColourCount = static_cast<int>(WireColour::Count);

// Registration, in start-up order. Each gives false when a registration failed; the symbol
// table has reported it.
bool registerModelVariables(script::Interp& in);     // camera ... cbuf.color.v
bool registerWireViewVariables(script::Interp& in);  // w.center ... grid.center
bool registerWireColours(script::Interp& in);        // C.BLACK ... C.ALLbase

// The variables themselves, through their slots.
inline int sysVarSymbol(const script::Interp& in, SysVar v) {
    return in.sym.systemSlot(static_cast<int>(v));
}
inline float& scalarVar(script::Interp& in, SysVar v) {
    return in.sym.scalar(sysVarSymbol(in, v));
}
inline Vec3& vectorVar(script::Interp& in, SysVar v) {
    return in.sym.vector(sysVarSymbol(in, v));
}
inline Mat4& matrixVar(script::Interp& in, SysVar v) {
    return in.sym.matrix(sysVarSymbol(in, v));
}
// Symbols are taken back only newest-first, so colours registered one after another keep
// consecutive symbol numbers for the whole run.
inline Vec3& wireColour(script::Interp& in, WireColour c) {
    return in.sym.vector(sysVarSymbol(in, SysVar::WireColours) + static_cast<int>(c));
}

}  // namespace rz::db
