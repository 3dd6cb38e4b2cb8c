// The maps of a shape's chain applied around the lighting: bump maps turn the normal before it,
// intensity maps scale the lit colour after it, and the colour maps replace the base colour
// and opacity that finish multiplies the lit colour into.

#include <cstddef>

#include "render/shading.hpp"
#include "render/shading_vectors.hpp"
#include "render/texture_maps.hpp"

namespace rz::render {

using namespace shading_math;

namespace {

// Which of red, green, blue and opacity a colour map blends, by map kind; a kind-1 map takes
// its channels from the image (all four from a 32-bit one, colour only otherwise).
struct Channels {
    std::int16_t kind;
    std::array<bool, 4> blend;
};
constexpr std::array<Channels, 3> kColourMaps{{
    {kColorMap24, {true, true, true, false}},
    {kColorMap32, {true, true, true, true}},
    {kAlphaMap, {false, false, false, true}},
}};
constexpr std::array<bool, 4> kImageColour{true, true, true, false};
constexpr std::array<bool, 4> kImageColourAlpha{true, true, true, true};

const std::array<bool, 4>* channelsOf(const db::Mapinfo& map, const db::Mapdata& image) {
    if (map.kind == kMapByImage)
        return db::bytesPerPixel(image.kind) == 4 ? &kImageColourAlpha : &kImageColour;
    for (const Channels& c : kColourMaps)
        if (c.kind == map.kind) return &c.blend;
    return nullptr;
}

// m.mopa on the 0..255 scale. A negative mix would extrapolate away from the texel, so it
// counts as no mix at all.
int mixOf(const db::Mapinfo& map) {
    return std::clamp(truncated(static_cast<double>(map.mopa) * 255.0), 0, 255);
}

// Blends the texels of the colour maps into base (red, green, blue, opacity).
void applyColourMaps(const SurfaceShading& s, const SurfacePoint& at, std::array<int, 4>& base) {
    forEachMap(s, [&](const db::Mapinfo& map, const db::Mapdata& image) {
        const std::array<bool, 4>* blend = channelsOf(map, image);
        if (blend == nullptr) return;
        const std::optional<TexelPosition> p = locateTexel(*s.db, map, image, at);
        if (!p) return;
        const std::array<std::uint8_t, 4> tx = texel(*s.db, image, p->x, p->y);
        const int m = mixOf(map);
        for (std::size_t c = 0; c < 4; ++c)
            if ((*blend)[c]) base[c] = (tx[c] * m + base[c] * (255 - m)) / 255;
    });
}

std::uint8_t channel(float v) {
    return static_cast<std::uint8_t>(clamp255(v));
}

// N x (0, 1, 0) and N x (1, 0, 0): the directions a bump along u and along v tilt the normal.
constexpr Vec3 crossY(const Vec3& n) {
    return {-n[2], 0.0f, n[0]};
}
constexpr Vec3 crossX(const Vec3& n) {
    return {0.0f, n[2], -n[1]};
}

}  // namespace

Vec3 perturb(const SurfaceShading& s, const Vec3& normal, const SurfacePoint& at) {
    Vec3 n = normal;
    bool bumped = false;
    forEachMap(s, [&](const db::Mapinfo& map, const db::Mapdata& image) {
        if (map.kind != kBumpMap && map.kind != kReversedBumpMap) return;
        const std::optional<TexelPosition> p = locateTexel(*s.db, map, image, at);
        if (!p) return;
        const float here = texel(*s.db, image, p->x, p->y)[0];
        const float du = (texel(*s.db, image, p->x + 1, p->y)[0] - here) / 255.0f;
        const float dv = (texel(*s.db, image, p->x, p->y + 1)[0] - here) / 255.0f;
        const float sign = map.kind == kBumpMap ? 1.0f : -1.0f;
        n = n + (crossY(n) * (map.bump * du) - crossX(n) * (map.bump * dv)) * sign;
        bumped = true;
    });
    return bumped ? normalised(n) : normal;
}

void intensity(const SurfaceShading& s, Lit& lit, const SurfacePoint& at) {
    forEachMap(s, [&](const db::Mapinfo& map, const db::Mapdata& image) {
        if (map.kind != kIntensityMap) return;
        const std::optional<TexelPosition> p = locateTexel(*s.db, map, image, at);
        if (!p) return;
        const float k = texel(*s.db, image, p->x, p->y)[0] / 255.0f * map.bump;
        for (float& c : lit.color) c *= k;
    });
}

Rgba8 finish(const SurfaceShading& s, const Lit& lit, const SurfacePoint* at) {
    const ShadingTerms& t = s.terms;
    std::array<int, 4> base{t.baseInteger[0], t.baseInteger[1], t.baseInteger[2],
                            truncated(lit.opacity)};
    std::array<float, 3> out{};
    if (s.mapped) {
        if (at != nullptr) applyColourMaps(s, *at, base);
        for (std::size_t c = 0; c < 3; ++c)
            out[c] = lit.color[c] * static_cast<float>(base[c]) + t.additive[c];
    } else {
        for (std::size_t c = 0; c < 3; ++c) out[c] = lit.color[c] + t.additive[c];
    }
    return {channel(out[0]), channel(out[1]), channel(out[2]),
            static_cast<std::uint8_t>(std::clamp(base[3], 0, 255))};
}

Rgba8 shadePoint(const SurfaceShading& s, const SurfacePoint& at) {
    Lit lit = shade(s, perturb(s, at.normal, at), at.position);
    intensity(s, lit, at);
    return finish(s, lit, &at);
}

}  // namespace rz::render
