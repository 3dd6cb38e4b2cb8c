// The lighting model: diffuse light over the prepared lights with inverse-distance falloff for
// point lights, a highlight per light, the attribute's gains and its opacity modes.

#include <cmath>
#include <cstddef>

#include "render/shading.hpp"
#include "render/shading_vectors.hpp"

namespace rz::render {

using namespace shading_math;

namespace {

// The view-opacity mode: the colour is the plain base colour and only the angle to the view
// decides the opacity. On a mapped surface the colour is the factor 1, so that the texture
// shows as it is instead of being multiplied by the base colour a second time.
Lit viewOpacity(const SurfaceShading& s, const db::Attribute& a, const Vec3& n) {
    const ShadingTerms& t = s.terms;
    const float facing = dot(n, t.viewAxis) * t.lightSign;
    Lit lit;
    lit.opacity = clamp255(std::pow(facing, a.gainL) * a.gainC * 255.0f);
    lit.color = s.mapped ? std::array<float, 3>{1.0f, 1.0f, 1.0f} : t.baseColor;
    return lit;
}

// The highlight's power; a whole exponent (the usual case) by repeated squaring, which is
// several times cheaper than the general power for every light at every point.
float highlightPower(float base, const ShadingTerms& t, float exponent) {
    if (t.wholeExponent < 0) return std::pow(base, exponent);
    float result = 1.0f;
    for (std::int32_t e = t.wholeExponent; e > 0; e >>= 1, base *= base)
        if (e & 1) result *= base;
    return result;
}

float opacityOf(const ShadingTerms& t, const db::Attribute& a, const Vec3& n) {
    if (a.shade & kShadeEdgeOpacity)
        return clamp255(-dot(n, t.viewAxis) * a.opacity * a.gainL * 255.0f);
    return clamp255(a.opacity * 255.0f);
}

}  // namespace

Lit shade(const SurfaceShading& s, const Vec3& n, const Vec3& position) {
    const db::Attribute& a = *s.attribute;
    if (a.shade & kShadeViewOpacity) return viewOpacity(s, a, n);
    const ShadingTerms& t = s.terms;

    const Vec3 view = normalised(t.cameraPosition - position);
    std::array<float, 3> diffuse{};
    std::array<float, 3> specular{};
    // A mapped surface's highlight is tinted by the texture along with the diffuse light.
    std::array<float, 3>& highlights = s.mapped ? diffuse : specular;
    for (std::size_t i = 0; i < static_cast<std::size_t>(t.lightCount); ++i) {
        const PreparedLight& light = t.lights[i];
        Vec3 l = light.vector;
        float k = 1.0f;
        if (light.shape == LightShape::Point) {
            const Vec3 toLight = light.vector - position;
            const float distance = length(toLight);
            if (!(distance > 0.0f)) continue;
            k = 1.0f / distance;
            l = toLight * (k * t.lightSign);
        }
        const float nl = dot(n, l);
        if (!(nl > 0.0f)) continue;
        const float f = nl * k;
        for (std::size_t c = 0; c < 3; ++c) diffuse[c] += light.color[c] * f;
        if (a.specular == 0.0f) continue;
        const Vec3 half = view + l;
        const float nh = dot(n, half);
        if (!(nh > 0.0f)) continue;
        const float sp = highlightPower(nh / length(half), t, a.specularExponent) * a.specular;
        for (std::size_t c = 0; c < 3; ++c) highlights[c] += t.highlight[c] * sp;
    }

    Lit lit;
    lit.opacity = opacityOf(t, a, n);
    for (std::size_t c = 0; c < 3; ++c) {
        const float gained = a.gainC * diffuse[c] + a.gainL;
        lit.color[c] = s.mapped ? gained : specular[c] * 255.0f + gained * t.baseColor[c];
    }
    return lit;
}

}  // namespace rz::render
