// The box methods: a point is carried along its normal onto the face of the mapping box that
// the normal points at, and the face's (s, t) coordinates pick the texel, either from one
// whole image per face (DECALBOX.1..6) or from the box unfolded into one image (DECALBOX,
// WORLDBOX).

#include <cmath>
#include <cstddef>

#include "render/texture_maps.hpp"

namespace rz::render {

using namespace shading_math;

namespace {

// Faces: 1 +z, 2 +x, 3 -z, 4 -x, 5 +y, 6 -y.
struct FaceHit {
    int face = 0;
    double s = 0.0;
    double t = 0.0;
};

struct Box {
    std::array<double, 3> min{};
    std::array<double, 3> size{};
};

// Which face a ray from the centre along n leaves the box through: the axis where n's
// component is largest relative to the box's half size, that is, where n is steeper than the
// slope towards the box's corner. Ties go to the side faces, and of those to the z faces.
int faceAlong(const Box& box, const std::array<double, 3>& n) {
    const std::array<double, 3> a{std::fabs(n[0]), std::fabs(n[1]), std::fabs(n[2])};
    const bool xSide = a[0] * box.size[2] > a[2] * box.size[0];
    const int side = xSide ? 0 : 2;
    if (a[1] * box.size[side] > a[side] * box.size[1]) return n[1] > 0 ? 5 : 6;
    if (xSide) return n[0] > 0 ? 2 : 4;
    return n[2] > 0 ? 1 : 3;
}

// Per face: the axis the face is perpendicular to, whether it is the box's maximum on it, and
// the axes s and t are measured along.
struct FaceAxes {
    int normalAxis;
    bool atMax;
    int sAxis;
    int tAxis;
};
constexpr std::array<FaceAxes, 7> kFaces{{
    {0, false, 0, 0},  // no face 0
    {2, true, 0, 1},
    {0, true, 2, 1},
    {2, false, 0, 1},
    {0, false, 2, 1},
    {1, true, 0, 2},
    {1, false, 0, 2},
}};

std::optional<FaceHit> hitFace(const Box& box, const Vec3& position, const Vec3& normal) {
    const std::array<double, 3> p{position[0], position[1], position[2]};
    const std::array<double, 3> n{normal[0], normal[1], normal[2]};
    if (n[0] == 0.0 && n[1] == 0.0 && n[2] == 0.0) return std::nullopt;
    const int face = faceAlong(box, n);
    const FaceAxes& f = kFaces[static_cast<std::size_t>(face)];
    const int k = f.normalAxis;
    const double plane = box.min[k] + (f.atMax ? box.size[k] : 0.0);
    const double along = p[k] - plane;
    const auto ratio = [&](int axis) { return n[k] == 0.0 ? 0.0 : n[axis] / n[k]; };
    const auto coordinate = [&](int axis) {
        return (p[axis] - along * ratio(axis) - box.min[axis]) / box.size[axis];
    };
    FaceHit hit{face, coordinate(f.sAxis), coordinate(f.tAxis)};
    if (face == 2 || face == 3) hit.s = 1.0 - hit.s;
    return hit;
}

// The unfolded box: three bands of height c; faces 1 and 3 are o wide, faces 2 and 4 c wide.
// x = xo*o + xc*c + trunc((wide ? o : c) * s), y = yc*c + ySign*trunc(c*t).
struct UnfoldedFace {
    int xo;
    int xc;
    bool wide;
    int yc;
    int ySign;
};
constexpr std::array<UnfoldedFace, 7> kUnfolded{{
    {0, 0, true, 0, 1},  // no face 0
    {0, 0, true, 2, -1},
    {1, 0, false, 2, -1},
    {1, 1, true, 2, -1},
    {2, 1, false, 2, -1},
    {0, 0, true, 0, 1},
    {0, 0, true, 3, -1},
}};

TexelPosition unfoldedTexel(const FaceHit& hit, int w, int h) {
    const int c = h / 3;
    const int o = (w - 2 * c) / 2;
    const UnfoldedFace& f = kUnfolded[static_cast<std::size_t>(hit.face)];
    return {f.xo * o + f.xc * c + truncated((f.wide ? o : c) * hit.s),
            f.yc * c + f.ySign * truncated(c * hit.t)};
}

// One face per image: the image is seen from outside the box, upright on the side faces.
TexelPosition decalTexel(const FaceHit& hit, int w, int h) {
    const int x = truncated(w * hit.s);
    const int y = truncated(h * hit.t);
    return {hit.face == 6 ? w - x : x, hit.face == 5 ? y : h - y};
}

}  // namespace

std::optional<TexelPosition> boxTexel(const db::Mapinfo& map, const db::Mapdata& image,
                                      const Vec3& position, const Vec3& normal) {
    // A box without extent on some axis has no faces to measure on.
    if (!(map.xlen > 0.0f && map.ylen > 0.0f && map.zlen > 0.0f)) return std::nullopt;
    const Box box{
        {map.xcent - map.xlen / 2.0, map.ycent - map.ylen / 2.0, map.zcent - map.zlen / 2.0},
        {map.xlen, map.ylen, map.zlen}};
    const std::optional<FaceHit> hit = hitFace(box, position, normal);
    if (!hit) return std::nullopt;
    if (map.method >= kDecalBoxFirst && map.method <= kDecalBoxLast) {
        if (hit->face != map.method - kDecalBoxFirst + 1) return std::nullopt;
        return decalTexel(*hit, image.width, image.height);
    }
    return unfoldedTexel(*hit, image.width, image.height);
}

}  // namespace rz::render
