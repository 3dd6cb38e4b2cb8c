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

// Light kinds (l.kind); kinds other than these give no light.
inline constexpr std::int16_t kLightPara = 1;
inline constexpr std::int16_t kLightPoint = 2;
inline constexpr std::int16_t kLightPoint2 = 3;

// Bits of the attribute's shade switch (shade.sw).
inline constexpr std::uint8_t kShadeViewOpacity = 1;     // opacity from the view angle only
inline constexpr std::uint8_t kShadeEdgeOpacity = 2;     // opacity grows towards the edges
inline constexpr std::uint8_t kShadeReversedLights = 4;  // light and view vectors reversed

// The per-shape terms the per-point functions only combine: the view axis, the lights in
// use with their colour already multiplied by the attribute's diffuse colour and the light's
// gain, and the attribute's colours on the 0..255 scale. prepareLighting derives them.
enum class LightShape : std::uint8_t { Parallel, Point };
struct PreparedLight {
    LightShape shape = LightShape::Parallel;
    Vec3 vector{};  // Parallel: the light vector, sign included; Point: the light's position
    Vec3 color{};   // l.rgb x a.drg x l.gain
};
struct ShadingTerms {
    Vec3 cameraPosition{};
    Vec3 viewAxis{};         // unit vector from the camera target to the camera
    float lightSign = 1.0f;  // -1 when the attribute reverses the lights
    std::int32_t lightCount = 0;
    std::array<PreparedLight, db::kLightCount> lights{};
    std::array<float, 3> baseColor{};  // a.rgb x 255
    std::array<int, 3> baseInteger{};  // a.rgb x 255, truncated: what the colour maps blend
    std::array<float, 3> additive{};   // a.arg x 255
    std::array<float, 3> highlight{};  // a.prg
    std::int32_t wholeExponent = -1;   // p.spex when it is a whole number 0..255, else -1
};

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
    ShadingTerms terms{};         // from camera, lights and attribute (prepareLighting)
};

// The shading of `shape` in draw mode `drawMode` (1..7). A shape whose attribute number lies
// outside the attribute store is shaded with the default attribute. The shape is mapped in
// modes 4 and up when its attribute's map switch is on (or in sample mode), the map-list store
// holds more than its reserved entry and the shape names an entry in it.
SurfaceShading surfaceShading(const db::Database& db, const db::Shape& shape, int drawMode,
                              bool sampleMode);

// Derives s.terms from s.camera, s.lights, s.attribute and s.sampleMode. surfaceShading calls
// it; a caller that points the shading at another camera or light set (the material sample)
// calls it again before shading.
void prepareLighting(SurfaceShading& s);

// A point of a surface as the shading needs it. `normal` is the shading normal as orient left
// it (negated on a kept back face); WORLDBOX maps take it and `position` as they are.
// `modelNormal` is the shape's own normal, never negated; DECALBOX maps read it.
struct SurfacePoint {
    Vec3 normal{};         // world space, unit length
    Vec3 position{};       // world space
    Vec3 modelNormal{};    // before the shape's block and affine transforms, unit length
    Vec3 modelPosition{};  // before the shape's block and affine transforms
    float u = 0.0f;        // texture coordinates, the mean of the micropolygon's corners
    float v = 0.0f;
};

// The face-orientation rule for one quadrilateral: false when it is dropped. A kept
// back-facing quadrilateral gets its four normals negated (and s.normalsNegated set). First,
// when the mean of the four normals points against the face normal (their unit vectors' dot
// product below -0.75), all four are negated to agree with the face.
bool orient(SurfaceShading& s, bool frontFacing, const Vec3& faceNormal,
            std::span<Vec3, 4> normals);

// What orient decides, without touching the normals: whether the quadrilateral is kept,
// whether its normals end up negated (the turn towards the face and the back-face turn taken
// together; two turns cancel) and whether it is a back face turned to the viewer. A caller
// that knows the outcome can reuse what it shaded for the same normals before.
struct Orientation {
    bool kept = false;
    bool negate = false;
    bool backTurned = false;
};
// Whether the face rule keeps a quadrilateral facing this way at all; orientation says the
// same, but a caller that drops most back faces can ask before gathering the normals.
bool faceKept(std::uint8_t faceRule, bool frontFacing);
Orientation orientation(std::uint8_t faceRule, bool frontFacing, const Vec3& faceNormal,
                        std::span<const Vec3, 4> normals);

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
// value in all four channels, a 24-bit one alpha 255. An image that is empty or does not lie
// wholly inside the texture pool (imageFits) reads as all zeros.
std::array<std::uint8_t, 4> texel(const db::Database& db, const db::Mapdata& image, int x, int y);

// Whether the image has pixels and its width x height pixels lie within both its recorded
// size and the texture pool.
bool imageFits(const db::Database& db, const db::Mapdata& image);

}  // namespace rz::render
