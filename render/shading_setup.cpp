// The per-shape set-up of the shading: attribute, face rule, whether the shape's maps apply,
// and the terms of the lighting model that do not change from point to point.

#include <algorithm>
#include <cmath>

#include "db/record_commands_attribute.hpp"
#include "render/shading.hpp"
#include "render/shading_vectors.hpp"
#include "render/texture_maps.hpp"

namespace rz::render {

using namespace shading_math;

namespace {

// What a freshly made attribute holds; a shape naming no attribute in the store gets it.
constexpr db::Attribute kDefaultAttribute{
    .ambient = 0.15f,
    .diffuse = 0.6f,
    .specular = 0.75f,
    .specularExponent = 35.0f,
    .prg = {1.0f, 1.0f, 1.0f},
    .rgb = {0.2f, 0.9f, 0.1f},
    .arg = {0.15f, 0.15f, 0.15f},
    .drg = {0.6f, 0.6f, 0.6f},
    .opacity = 1.0f,
    .gainC = 1.0f,
    .gainL = 0.0f,
    .haze = 0.0f,
    .smooth = 1,
    .map = 1,
    .face = 0,
    .shade = 0,
};

constexpr std::uint8_t kFaceRuleCount = 4;
constexpr std::uint8_t kBothSidesNegatedRule = 2;
constexpr std::uint8_t kBackOnlyRule = 1;
constexpr std::uint8_t kTwoSidedShape = 2;  // sh.lrflag

// The trial record of test.atr lies past the count and is shown all the same.
const db::Attribute& attributeOf(const db::Database& db, std::uint16_t id) {
    const auto size = static_cast<std::int64_t>(db.attributes.size());
    const std::int64_t count = std::clamp<std::int64_t>(db.attributeCount, 0, size);
    const bool trial = id == db::trialAttribute(db) && id < size;
    return id < count || trial ? db.attributes[id] : kDefaultAttribute;
}

// The view-opacity mode shows the back faces only; a two-sided shape keeps both sides, turned
// towards the viewer. A face switch beyond the known rules keeps the plain one.
std::uint8_t faceRuleOf(const db::Attribute& a, const db::Shape& shape) {
    if (a.shade & kShadeViewOpacity) return kBackOnlyRule;
    if (shape.lrflag == kTwoSidedShape) return kBothSidesNegatedRule;
    return a.face < kFaceRuleCount ? a.face : 0;
}

// Only a shape that names an entry of the map list is mapped: a shape without maps keeps its
// own highlights, whatever other shapes of the model carry.
bool mappedShape(const db::Database& db, const db::Shape& shape, const db::Attribute& a,
                 int drawMode, bool sampleMode) {
    return drawMode >= 4 && (sampleMode || a.map != 0) && db.maplistCount > 1 &&
           shape.textureId > 0 && shape.textureId < db.maplistCount;
}

std::array<float, 3> scaled(const Vec3& v, float k) {
    return {v[0] * k, v[1] * k, v[2] * k};
}

}  // namespace

SurfaceShading surfaceShading(const db::Database& db, const db::Shape& shape, int drawMode,
                              bool sampleMode) {
    const db::Attribute& a = attributeOf(db, shape.attribId);
    SurfaceShading s{
        .db = &db,
        .attribute = &a,
        .camera = &db.camera,
        .lights = std::span<const db::Light, db::kLightCount>(db.lights),
        .mapHead = shape.textureId,
        .mapped = mappedShape(db, shape, a, drawMode, sampleMode),
        .sampleMode = sampleMode,
        .faceRule = faceRuleOf(a, shape),
        .normalsNegated = false,
        .terms = {},
    };
    prepareLighting(s);
    return s;
}

void prepareLighting(SurfaceShading& s) {
    const db::Attribute& a = s.attribute != nullptr ? *s.attribute : kDefaultAttribute;
    ShadingTerms& t = s.terms;
    t = {};
    if (s.camera != nullptr) {
        t.cameraPosition = s.camera->pos;
        t.viewAxis = normalised(s.camera->pos - s.camera->tar);
    }
    t.lightSign = (a.shade & kShadeReversedLights) ? -1.0f : 1.0f;
    t.baseColor = scaled(a.rgb, 255.0f);
    for (std::size_t c = 0; c < 3; ++c) t.baseInteger[c] = truncated(t.baseColor[c]);
    t.additive = scaled(a.arg, 255.0f);
    t.highlight = a.prg;
    const float exponent = a.specularExponent;
    if (exponent >= 0.0f && exponent <= 255.0f && exponent == std::trunc(exponent))
        t.wholeExponent = static_cast<std::int32_t>(exponent);

    // The material sample lights with its first light alone, and always: a light switched off
    // shines from (1, 1, 1).
    const std::size_t lights = s.sampleMode ? 1 : s.lights.size();
    for (std::size_t i = 0; i < lights; ++i) {
        const db::Light& l = s.lights[i];
        PreparedLight p;
        if (l.kind == kLightPara) {
            p.vector = normalised(l.pos - l.tar) * t.lightSign;
        } else if (l.kind == kLightPoint || l.kind == kLightPoint2) {
            p.shape = LightShape::Point;
            p.vector = l.pos;
        } else if (s.sampleMode && l.kind <= 0) {
            p.vector = Vec3{1.0f, 1.0f, 1.0f} * t.lightSign;
        } else {
            continue;
        }
        for (std::size_t c = 0; c < 3; ++c) p.color[c] = l.rgb[c] * a.drg[c] * l.gain;
        t.lights[static_cast<std::size_t>(t.lightCount++)] = p;
    }
}

}  // namespace rz::render
