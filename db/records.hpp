#pragma once
// The record layouts of the model database. Widths are exact: the binary model files store
// these fields as they are here.

#include <array>
#include <cstdint>

#include "math/value_types.hpp"

namespace rz::db {

// A vertex, or eight parameter floats of a parametric shape.
struct Axis {
    Vec3 wv{};  // position
    Vec3 nv{};  // unit normal
    float u = 0.0f;
    float v = 0.0f;
};

inline constexpr std::uint32_t kNoEdits = 0xFFFFFFFFu;

struct Shape {
    std::uint32_t shapeId = 0;  // the block that owns the shape
    std::uint32_t axisId = 0;
    std::uint32_t axisTotal = 0;
    std::uint32_t patchId = 0;
    std::uint32_t patchTotal = 0;
    std::uint32_t editHead = kNoEdits;
    std::uint16_t matrixId = 0;
    std::uint16_t attribId = 0;
    std::uint16_t savedAttrib = 0;  // kept by test.atr while a trial attribute is shown
    std::uint16_t textureId = 0;
    std::uint8_t layer = 0;
    std::uint8_t kind = 0;
    std::uint8_t page = 0;
    std::uint8_t lrflag = 0;
    std::uint8_t smoothflag = 0;
    std::uint8_t dummy = 0;
    Vec3 bbmin{};
    Vec3 bbmax{};
    std::array<char, 32> name{};
};

// Shape kinds.
inline constexpr std::uint8_t kShapePolygon = 11;
inline constexpr std::uint8_t kShapeGrid = 12;
inline constexpr std::uint8_t kShapeBall = 31;
inline constexpr std::uint8_t kShapeRevolve = 41;
inline constexpr std::uint8_t kShapeBox = 62;
inline constexpr std::uint8_t kShapeDisc = 63;
inline constexpr std::uint8_t kShapeQuad = 64;
inline constexpr std::uint8_t kShapeRing = 65;
inline constexpr std::uint8_t kShapeGridPlane = 66;
// Kinds above this are parametric and expanded on demand.
inline constexpr std::uint8_t kLastExplicitKind = 20;
// Kinds whose patch entries are face runs of absolute vertex numbers: -n, then n vertices.
constexpr bool hasFaceRuns(std::uint8_t kind) {
    return kind == 1 || kind == 5 || kind == kShapePolygon;
}

struct Block {
    Vec3 xyzrot{};
    Vec3 xyztmp{};
    Vec3 center{};
    Vec3 trans{};
    Vec3 reserved1{};
    Vec3 xyzmin{};
    Vec3 xyzmax{};
    float reserved2 = 0.0f;
    Mat4 matrix = kIdentity;
    std::int16_t rlinkId = -1;
    std::uint16_t reserved3 = 0;
    std::uint32_t reserved4 = 0;
    std::uint8_t reserved5 = 0;
    std::uint8_t layer = 0;
    std::uint8_t dummy = 0;
    std::uint8_t reserved6 = 0;
    std::array<char, 32> refname{'*'};
    std::array<char, 64> name{'n', 'o', 'n', 'a', 'm', 'e'};
};

struct Rigid {
    Vec3 pos{};
    Vec3 old{};
    Vec3 tmp{};
    std::array<float, 6> reserved{};
    std::uint16_t block1 = 0;
    std::uint16_t block2 = 0;
    std::int16_t actor = -1;
    std::uint8_t layer = 0;
    std::uint8_t reserved2 = 0;
    std::array<char, 64> name{'n', 'o', 'n', 'a', 'm', 'e'};
};

struct Rlink {
    std::int16_t rigid = 0;
    std::int16_t next = -1;
};

struct Actor {
    std::uint16_t startRigid = 0;
    std::uint8_t layer = 0;
    std::uint8_t reserved = 0;
    std::array<char, 64> name{'n', 'o', 'n', 'a', 'm', 'e'};
};

struct Attribute {
    float ambient = 0.0f;
    float diffuse = 0.0f;
    float specular = 0.0f;
    float specularExponent = 0.0f;
    Vec3 prg{};
    Vec3 rgb{};
    Vec3 arg{};
    Vec3 drg{};
    float opacity = 0.0f;
    float gainC = 0.0f;
    float gainL = 0.0f;
    float haze = 0.0f;
    std::uint8_t smooth = 0;
    std::uint8_t map = 0;
    std::uint8_t face = 0;
    std::uint8_t shade = 0;
};

struct Mapinfo {
    std::int16_t kind = 0;
    std::int16_t method = 0;
    std::int16_t texId = 0;
    std::int16_t reserved = 0;
    float mopa = 0.0f;
    float bump = 0.0f;
    float ustart = 0.0f;
    float uend = 0.0f;
    float vstart = 0.0f;
    float vend = 0.0f;
    float ulen = 0.0f;
    float vlen = 0.0f;
    float uofs = 0.0f;
    float vofs = 0.0f;
    float xlen = 0.0f;
    float ylen = 0.0f;
    float zlen = 0.0f;
    float xcent = 0.0f;
    float ycent = 0.0f;
    float zcent = 0.0f;
};

struct Maplist {
    std::int16_t mapinfo = 0;
    std::int16_t next = 0;  // 0 ends a chain
};

// Descriptor of one map image in the texture buffer.
struct Mapdata {
    std::uint16_t kind = 0;
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::uint16_t reserved = 0;
    std::uint32_t offset = 0;
    std::uint32_t size = 0;
};

// Map image kinds and their bytes per pixel.
inline constexpr std::uint16_t kColorMap24 = 2;
inline constexpr std::uint16_t kColorMap32 = 3;
constexpr std::uint32_t bytesPerPixel(std::uint16_t kind) {
    return kind == kColorMap24 ? 3 : kind == kColorMap32 ? 4 : 1;
}

// A vertex edit: a displacement of one vertex of a shape.
struct EditRecord {
    Vec3 displacement{};
    Vec3 reserved{};
    std::int32_t reserved2 = 0;
    std::int32_t offset = 0;  // the vertex, counted from the shape's first axis
    std::int32_t link = -1;   // next record, -1 ends the list
};

struct Camera {
    Vec3 pos{};
    Vec3 tar{};
    Vec3 rot{};
    Vec3 upper{};
    float hither = 0.0f;
    float yon = 0.0f;
    float scrn = 0.0f;
    float zoom = 0.0f;
};

struct Light {
    Vec3 pos{};
    Vec3 tar{};
    std::array<float, 6> renderer{};
    Vec3 rgb{};
    std::int16_t kind = 0;  // 0 off, 1 parallel, 2 point, 3 point2
    std::int16_t reserved = 0;
    float gain = 0.0f;
    std::array<float, 2> renderer2{};
};

inline constexpr int kLightCount = 16;

}  // namespace rz::db
