// The flat-sided primitives: the box in one shape, the box as six faces, the grid plane.
#include "geometry/primitives.hpp"

namespace rz::geometry {
namespace {

// A corner of the box by its min (false) or max (true) side on each axis.
struct Corner {
    bool x, y, z;
};
using Face = std::array<Corner, 4>;  // P0..P3

Vec3d corner(const BoxFrame& b, Corner k) {
    return {k.x ? b.hi[0] : b.lo[0], k.y ? b.hi[1] : b.lo[1], k.z ? b.hi[2] : b.lo[2]};
}

void addQuad(const BoxFrame& b, const Face& f, ShapePlan& plan) {
    plan.add(quadShape(corner(b, f[0]), corner(b, f[1]), corner(b, f[2]), corner(b, f[3])));
}

constexpr bool lo = false;  // min side
constexpr bool hi = true;   // max side

// The six faces in their order: x min, z max, x max, z min, y max, y min.
constexpr std::array<Face, 6> kBoxFaces{{
    {{{lo, lo, lo}, {lo, hi, lo}, {lo, lo, hi}, {lo, hi, hi}}},
    {{{lo, lo, hi}, {lo, hi, hi}, {hi, lo, hi}, {hi, hi, hi}}},
    {{{hi, lo, hi}, {hi, hi, hi}, {hi, lo, lo}, {hi, hi, lo}}},
    {{{hi, lo, lo}, {hi, hi, lo}, {lo, lo, lo}, {lo, hi, lo}}},
    {{{lo, hi, hi}, {lo, hi, lo}, {hi, hi, hi}, {hi, hi, lo}}},
    {{{lo, lo, lo}, {lo, lo, hi}, {hi, lo, lo}, {hi, lo, hi}}},
}};

// The grid plane lies on a min-side face across direc; Z puts it on the z min face.
constexpr Face kPlaneAcrossX{{{lo, lo, lo}, {lo, hi, lo}, {lo, lo, hi}, {lo, hi, hi}}};
constexpr Face kPlaneAcrossZ{{{hi, lo, lo}, {hi, hi, lo}, {lo, lo, lo}, {lo, hi, lo}}};
constexpr Face kPlaneOtherwise{{{lo, lo, lo}, {lo, lo, hi}, {hi, lo, lo}, {hi, lo, hi}}};

}  // namespace

void generateBox2(const PrimitiveInput& in, ShapePlan& plan) {
    const BoxFrame b = BoxFrame::of(in);
    plan.add(boxShape(b.c, b.z));
}

void generateBox3(const PrimitiveInput& in, ShapePlan& plan) {
    const BoxFrame b = BoxFrame::of(in);
    for (const Face& f : kBoxFaces) addQuad(b, f, plan);
}

void generateGridPlane(const PrimitiveInput& in, ShapePlan& plan) {
    const BoxFrame b = BoxFrame::of(in);
    const Face& f = in.direc == 1 ? kPlaneAcrossX : in.direc == 3 ? kPlaneAcrossZ : kPlaneOtherwise;
    plan.add(
        gridPlaneShape(corner(b, f[0]), corner(b, f[1]), corner(b, f[2]), corner(b, f[3]), in.div));
}

}  // namespace rz::geometry
