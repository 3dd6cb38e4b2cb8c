// Texel reads from the texture pool and the UVMAP method; the box methods are in
// box_mapping.cpp.

#include <cmath>
#include <cstddef>

#include "render/texture_maps.hpp"

namespace rz::render {

int shading_math::truncated(double value) {
    constexpr double kLimit = 1 << 30;
    if (!(value == value)) return 0;
    return static_cast<int>(std::clamp(value, -kLimit, kLimit));
}

using shading_math::truncated;

bool imageFits(const db::Database& db, const db::Mapdata& image) {
    const std::uint64_t pixels = std::uint64_t{image.width} * image.height;
    const std::uint64_t bytes = pixels * db::bytesPerPixel(image.kind);
    return pixels > 0 && bytes <= image.size &&
           std::uint64_t{image.offset} + image.size <= db.textureBuffer.size();
}

std::array<std::uint8_t, 4> texel(const db::Database& db, const db::Mapdata& image, int x, int y) {
    if (!imageFits(db, image)) return {};
    const std::size_t cx = static_cast<std::size_t>(std::clamp(x, 0, image.width - 1));
    const std::size_t cy = static_cast<std::size_t>(std::clamp(y, 0, image.height - 1));
    const std::size_t bpp = db::bytesPerPixel(image.kind);
    const std::uint8_t* p = db.textureBuffer.data() + image.offset + (cy * image.width + cx) * bpp;
    switch (bpp) {
        case 4:
            return {p[0], p[1], p[2], p[3]};
        case 3:
            return {p[0], p[1], p[2], 255};
        default:
            return {p[0], p[0], p[0], p[0]};
    }
}

namespace {

// The remainder of trunc(value) by n, with the sign of value as C's % has it.
int wrapped(double value, int n) {
    return truncated(std::fmod(std::trunc(value), static_cast<double>(n)));
}

// A coordinate window and its repeat length of zero would divide by zero: such a map finds
// no texel rather than an undefined one.
std::optional<TexelPosition> uvTexel(const db::Database&, const db::Mapinfo& m,
                                     const db::Mapdata& image, const SurfacePoint& at) {
    const bool inside = at.u >= m.ustart && at.u <= m.uend && at.v >= m.vstart && at.v <= m.vend;
    if (!inside || m.ulen == 0.0f || m.vlen == 0.0f) return std::nullopt;
    const int w = image.width;
    const int h = image.height;
    const double u = std::fabs(static_cast<double>(at.u) + m.uofs) / m.ulen * w;
    const double v = std::fabs(static_cast<double>(at.v) + m.vofs) / m.vlen * h;
    return TexelPosition{wrapped(u, w), h - wrapped(v, h) - 1};
}

std::optional<TexelPosition> modelBoxTexel(const db::Database&, const db::Mapinfo& m,
                                           const db::Mapdata& image, const SurfacePoint& at) {
    return boxTexel(m, image, at.modelPosition, at.modelNormal);
}

std::optional<TexelPosition> worldBoxTexel(const db::Database&, const db::Mapinfo& m,
                                           const db::Mapdata& image, const SurfacePoint& at) {
    return boxTexel(m, image, at.position, at.normal);
}

using Locate = std::optional<TexelPosition> (*)(const db::Database&, const db::Mapinfo&,
                                                const db::Mapdata&, const SurfacePoint&);

// Indexed by the method number; row 0 and unknown methods find nothing.
constexpr std::array<Locate, kWorldBox + 1> kMethods{
    nullptr,       uvTexel,       modelBoxTexel, modelBoxTexel, modelBoxTexel,
    modelBoxTexel, modelBoxTexel, modelBoxTexel, modelBoxTexel, worldBoxTexel,
};

}  // namespace

std::optional<TexelPosition> locateTexel(const db::Database& db, const db::Mapinfo& map,
                                         const db::Mapdata& image, const SurfacePoint& at) {
    if (map.method < 0 || map.method >= static_cast<int>(kMethods.size())) return std::nullopt;
    const Locate locate = kMethods[static_cast<std::size_t>(map.method)];
    if (locate == nullptr || !imageFits(db, image)) return std::nullopt;
    return locate(db, map, image, at);
}

}  // namespace rz::render
