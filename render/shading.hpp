#pragma once
// Surface colour for the renderer: the face-orientation rule, the lighting model over the
// sixteen lights, the attribute's switches and the shape's chain of texture maps. The
// renderer sets up one SurfaceShading per shape and then asks for colours per vertex, per
// quadrilateral or per micropolygon; nothing here allocates.

#include <array>
#include <cstdint>
#include <span>

#include "db/database.hpp"
#include "math/value_types.hpp"

namespace rz::render {

// Everything the shading of one shape reads, set up once per shape.
struct SurfaceShading {
    const db::Database* db = nullptr;  // maplists, mapinfos, mapdatas and the texture pool
    const db::Attribute* attribute = nullptr;
    const db::Camera* camera = nullptr;
    std::span<const db::Light, db::kLightCount> lights;
    std::int32_t mapHead = 0;     // the shape's first map-list entry, 0: none
    bool mapped = false;          // the map chain applies to this shape in this draw mode
    bool sampleMode = false;      // the one-shape material sample
    std::uint8_t faceRule = 0;    // the face-orientation rule in force for the shape
    bool normalsNegated = false;  // set by orient for the quadrilateral being shaded
};

// The shading of `shape` in draw mode `drawMode` (1..7).
SurfaceShading surfaceShading(const db::Database& db, const db::Shape& shape, int drawMode,
                              bool sampleMode);

// A point of a surface as the shading needs it.
struct SurfacePoint {
    Vec3 normal{};         // world space, unit length
    Vec3 position{};       // world space
    Vec3 modelNormal{};    // before the shape's block and affine transforms, unit length
    Vec3 modelPosition{};  // before the shape's block and affine transforms
    float u = 0.0f;        // texture coordinates
    float v = 0.0f;
};

// The face-orientation rule for one quadrilateral: false when it is dropped. A kept
// back-facing quadrilateral gets its four normals negated (and s.normalsNegated set), and
// normals that disagree with the face normal are turned to agree with it first.
bool orient(SurfaceShading& s, bool frontFacing, const Vec3& faceNormal,
            std::span<Vec3, 4> normals);

// The lit colour (red, green, blue) and the opacity (0..255). On a mapped surface the colour is
// the light factor that finish multiplies into the texture's base colour.
struct Lit {
    std::array<float, 3> color{};
    float opacity = 0.0f;
};
Lit shade(const SurfaceShading& s, const Vec3& normal, const Vec3& position);

// The normal with the shape's bump maps applied, unit length.
Vec3 perturb(const SurfaceShading& s, const Vec3& normal, const SurfacePoint& at);
// The lit colour scaled by the shape's intensity maps.
void intensity(const SurfaceShading& s, Lit& lit, const SurfacePoint& at);

struct Rgba8 {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    std::uint8_t a = 0;
};
// The final colour and opacity: the colour maps (mapped surfaces only; `at` may then not be
// null) and the additive colour, each channel clamped to 0..255.
Rgba8 finish(const SurfaceShading& s, const Lit& lit, const SurfacePoint* at);

// The whole sequence for one point of a smooth surface: perturb, shade, intensity, finish.
Rgba8 shadePoint(const SurfaceShading& s, const SurfacePoint& at);

// One texel of map image `image`, coordinates clamped into the image; an 8-bit texel gives its
// value in all four channels, a 24-bit one alpha 255.
std::array<std::uint8_t, 4> texel(const db::Database& db, const db::Mapdata& image, int x, int y);

}  // namespace rz::render
