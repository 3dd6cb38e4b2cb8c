#include "geometry/primitive_plan.hpp"

#include <cmath>
#include <numbers>

#include "db/records.hpp"
#include "geometry/sweep.hpp"

namespace rz::geometry {
namespace {

float f(double v) {
    return static_cast<float>(v);
}

Packed pack(const Vec3d& p, const Vec3d& n, double u, double v) {
    return {f(p[0]), f(p[1]), f(p[2]), f(n[0]), f(n[1]), f(n[2]), f(u), f(v)};
}

// Start angles of the quadrant sweeps, by axis and by whether e lies ahead of s in the
// first and in the second component across it.
constexpr std::array<std::array<std::array<float, 2>, 2>, 3> kQuadrantStart{{
    {{{180, 90}, {270, 0}}},  // X: across y, z
    {{{270, 0}, {180, 90}}},  // Y: across x, z
    {{{180, 90}, {270, 0}}},  // Z: across x, y
}};

}  // namespace

int parameterAxes(std::uint8_t kind) {
    return kind == db::kShapeBox ? 1 : 2;
}

void ShapePlan::add(const PlannedShape& planned) {
    // No generator makes more than the capacity; a plan never writes past it either.
    if (count_ < kCapacity) shapes_[count_++] = planned;
}

std::int64_t ShapePlan::axes() const {
    std::int64_t n = 0;
    for (const PlannedShape& s : shapes()) n += parameterAxes(s.kind);
    return n;
}

BoxFrame BoxFrame::of(const PrimitiveInput& in) {
    BoxFrame b;
    for (int i = 0; i < 3; ++i) {
        b.c[i] = (in.s[i] + in.e[i]) / 2.0;
        b.z[i] = std::abs(in.e[i] - in.s[i]);
        b.h[i] = b.z[i] / 2.0;
        b.lo[i] = b.c[i] - b.h[i];
        b.hi[i] = b.c[i] + b.h[i];
    }
    return b;
}

Degrees quadrant(int direc, const PrimitiveInput& in) {
    const Across x = across(direc);
    const float start = kQuadrantStart[along(direc)][ahead(in, x.first)][ahead(in, x.second)];
    return {start, start + 90.0f};
}

Vec3d rimPoint(const Vec3d& centre, const Vec3d& radii, int direc, float degrees) {
    return centre + ellipseOffset(direc, radii, degrees * std::numbers::pi / 180.0);
}

Vec3d withAxial(Vec3d v, int direc, double value) {
    v[along(direc)] = value;
    return v;
}

PlannedShape boxShape(const Vec3d& centre, const Vec3d& size) {
    return {db::kShapeBox, 0, pack(centre, size, 0, 0), {}};
}

PlannedShape quadShape(const Vec3d& p0, const Vec3d& p1, const Vec3d& p2, const Vec3d& p3) {
    return {db::kShapeQuad, 0, pack(p0, p1, 0, 0), pack(p2, p3, 0, 0)};
}

PlannedShape gridPlaneShape(const Vec3d& p0, const Vec3d& p1, const Vec3d& p2, const Vec3d& p3,
                            int div) {
    return {db::kShapeGridPlane, 0, pack(p0, p1, div, 0), pack(p2, p3, 0, 0)};
}

PlannedShape revolveShape(const Vec3d& bottomCentre, const Vec3d& bottomRadii,
                          const Vec3d& topRadii, int div, int direc, Degrees sweep,
                          std::uint8_t lrflag) {
    return {db::kShapeRevolve, lrflag, pack(bottomCentre, bottomRadii, div, direc),
            pack(topRadii, {sweep.start, sweep.end, 0}, 0, 0)};
}

PlannedShape discShape(const Vec3d& centre, const Vec3d& radii, int div, int direc, Degrees sweep,
                       bool facesBack) {
    return {db::kShapeDisc, 0, pack(centre, radii, div, direc),
            pack({}, {sweep.start, sweep.end, 0}, 0, facesBack ? 1 : 0)};
}

PlannedShape ringShape(const Vec3d& centre, const Vec3d& outerRadii, int div, int direc,
                       Degrees sweep, double ratio, bool facesBack) {
    return {db::kShapeRing, 0, pack(centre, outerRadii, div, direc),
            pack({}, {sweep.start, sweep.end, 0}, ratio, facesBack ? 1 : 0)};
}

PlannedShape ballShape(const Vec3d& centre, const Vec3d& radii, int div, Degrees latitude,
                       Degrees longitude) {
    return {db::kShapeBall, 0, pack(centre, radii, div, 0),
            pack({latitude.start, latitude.end, 0}, {longitude.start, longitude.end, 0}, 0, 0)};
}

}  // namespace rz::geometry
