// Balls: the whole ellipsoid in the box, the eighth toward e around s with three quarter
// discs closing it, and the quarter toward e across direc with two half discs.
#include "geometry/primitives.hpp"

namespace rz::geometry {
namespace {

constexpr Degrees kSouthHalf{0, 90};
constexpr Degrees kNorthHalf{90, 180};
constexpr Degrees kPoleToPole{0, 180};

// Latitude and longitude of the quarter ball, by direc and by whether e lies ahead of s in
// the first and in the second component across direc.
struct Sector {
    Degrees latitude, longitude;
};
constexpr std::array<std::array<std::array<Sector, 2>, 2>, 3> kQuarterSectors{{
    // X: across y, z
    {{{{{kSouthHalf, {180, 360}}, {kSouthHalf, {0, 180}}}},
      {{{kNorthHalf, {180, 360}}, {kNorthHalf, {0, 180}}}}}},
    // Y: across x, z
    {{{{{kPoleToPole, {270, 360}}, {kPoleToPole, {0, 90}}}},
      {{{kPoleToPole, {180, 270}}, {kPoleToPole, {90, 180}}}}}},
    // Z: across x, y
    {{{{{kSouthHalf, {-90, 90}}, {kNorthHalf, {-90, 90}}}},
      {{{kSouthHalf, {90, 270}}, {kNorthHalf, {90, 270}}}}}},
}};

// A half disc of the quarter ball: the axis it revolves about, and its sweep chosen by
// whether e lies ahead of s in one component.
struct HalfDisc {
    int axis;
    int decidedBy;  // component index
    Degrees ahead, behind;
};
constexpr std::array<std::array<HalfDisc, 2>, 3> kHalfDiscs{{
    {{{2, 2, {0, 180}, {180, 360}}, {3, 1, {0, 180}, {180, 360}}}},
    {{{1, 2, {0, 180}, {180, 360}}, {3, 0, {-90, 90}, {90, 270}}}},
    {{{1, 1, {-90, 90}, {90, 270}}, {2, 0, {90, 270}, {-90, 90}}}},
}};

}  // namespace

void generateBall1(const PrimitiveInput& in, ShapePlan& plan) {
    const BoxFrame b = BoxFrame::of(in);
    plan.add(ballShape(b.c, b.h, in.div, kPoleToPole, kFullTurn));
}

// Longitude runs round Y, so the octant's longitude is the Y quadrant toward e.
void generateBall8(const PrimitiveInput& in, ShapePlan& plan) {
    const BoxFrame b = BoxFrame::of(in);
    const Degrees latitude = ahead(in, 1) ? kNorthHalf : kSouthHalf;
    plan.add(ballShape(in.s, b.z, in.div, latitude, quadrant(2, in)));
    if (in.open) return;
    // Each disc faces away from the ball.
    for (int axis = 1; axis <= 3; ++axis)
        plan.add(discShape(in.s, b.z, in.div, axis, quadrant(axis, in), beyond(in, along(axis))));
}

void generateBall4(const PrimitiveInput& in, ShapePlan& plan) {
    const BoxFrame b = BoxFrame::of(in);
    const int d = in.direc;
    const int a = along(d);
    const Vec3d centre = withAxial(in.s, d, b.c[a]);
    const Vec3d radii = withAxial(b.z, d, b.h[a]);
    const Across x = across(d);
    const Sector& sector = kQuarterSectors[a][ahead(in, x.first)][ahead(in, x.second)];
    plan.add(ballShape(centre, radii, in.div, sector.latitude, sector.longitude));
    if (in.open) return;
    for (const HalfDisc& h : kHalfDiscs[a]) {
        const Degrees sweep = ahead(in, h.decidedBy) ? h.ahead : h.behind;
        plan.add(discShape(centre, radii, in.div, h.axis, sweep, beyond(in, along(h.axis))));
    }
}

}  // namespace rz::geometry
