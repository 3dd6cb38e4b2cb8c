// Thick-walled tubes: an outer and an inner wall with the inner radii scaled by the ratio,
// closed by cut faces and rings. The plain tube stands between the min and max sides; its
// two variants start at s and run to e, their walls meeting at the top, where no ring goes.
#include "geometry/primitives.hpp"

namespace rz::geometry {
namespace {

enum class Span { Full, Quarter };
enum class Variant { T1, T2 };

// The rim points at one angle.
enum class Rim : std::uint8_t { OB, OT, IB, IT };  // outer/inner, bottom/top
using enum Rim;
using RimPoints = std::array<Vec3d, 4>;
using FaceRims = std::array<Rim, 4>;  // P0..P3

struct Tube {
    int direc = 0;
    Vec3d bottom{};       // centre of the bottom rims
    double height = 0.0;  // signed, along direc
    Vec3d outer{};        // outer radii, zero along direc
    Vec3d inner{};
    double ratio = 1.0;
    Degrees sweep;
    int div = 0;

    Vec3d top() const { return withAxial(bottom, direc, bottom[along(direc)] + height); }
    // Top radii of a wall: the radii with the height along direc.
    Vec3d up(const Vec3d& radii) const { return withAxial(radii, direc, height); }

    RimPoints rims(float angle) const {
        const Vec3d t = top();
        return {rimPoint(bottom, outer, direc, angle), rimPoint(t, outer, direc, angle),
                rimPoint(bottom, inner, direc, angle), rimPoint(t, inner, direc, angle)};
    }
    PlannedShape wall(const Vec3d& bottomRadii, const Vec3d& topRadii, std::uint8_t lrflag) const {
        return revolveShape(bottom, bottomRadii, topRadii, div, direc, sweep, lrflag);
    }
    PlannedShape face(const RimPoints& r, const FaceRims& f) const {
        const auto at = [&](int k) { return r[static_cast<std::size_t>(f[k])]; };
        return quadShape(at(0), at(1), at(2), at(3));
    }
    // A full tube is centred on the box's axis with the half sizes as radii; a quarter one
    // stands on the edge through s with the full sizes, over the quadrant toward e.
    static Tube of(const PrimitiveInput& in, Span span, const Vec3d& bottomCentre, double height) {
        const BoxFrame b = BoxFrame::of(in);
        Tube t;
        t.direc = in.direc;
        t.bottom = bottomCentre;
        t.height = height;
        t.outer = withAxial(span == Span::Quarter ? b.z : b.h, in.direc, 0.0);
        t.inner = t.outer * in.ratio;
        t.ratio = in.ratio;
        t.sweep = span == Span::Quarter ? quadrant(in.direc, in) : kFullTurn;
        t.div = in.div;
        return t;
    }
};

// Cut faces wind like the faces of the six-face box: their corner normals point into the
// solid.
constexpr FaceRims kTubeStartFace{IB, IT, OB, OT};
constexpr FaceRims kTubeEndFace{OB, OT, IB, IT};

void generateTube(const PrimitiveInput& in, Span span, ShapePlan& plan) {
    const BoxFrame b = BoxFrame::of(in);
    const int a = along(in.direc);
    const Vec3d axisPoint = span == Span::Quarter ? in.s : b.c;
    const Tube t = Tube::of(in, span, withAxial(axisPoint, in.direc, b.lo[a]), b.z[a]);
    plan.add(t.wall(t.outer, t.up(t.outer), 0));
    plan.add(t.wall(t.inner, t.up(t.inner), 1));  // faces inward
    if (in.open) return;
    if (!t.sweep.fullTurn()) {
        plan.add(t.face(t.rims(t.sweep.start), kTubeStartFace));
        plan.add(t.face(t.rims(t.sweep.end), kTubeEndFace));
    }
    plan.add(ringShape(t.bottom, t.outer, t.div, t.direc, t.sweep, t.ratio, true));
    plan.add(ringShape(t.top(), t.outer, t.div, t.direc, t.sweep, t.ratio, false));
}

// Cut faces of the variants by the flag (e below s along direc): start face, end face.
// One corner is repeated, which makes each a triangle.
struct VariantFaces {
    FaceRims start, end;
};
constexpr std::array<std::array<VariantFaces, 2>, 2> kVariantFaces{{
    {{{{IB, IT, OB, OB}, {OB, OB, IB, IT}}, {{OB, OB, IB, IT}, {IB, IT, OB, OB}}}},  // T1
    {{{{IB, IB, OB, OT}, {OB, OT, IB, IB}}, {{OB, OT, IB, IB}, {IB, IB, OB, OT}}}},  // T2
}};

void generateVariant(const PrimitiveInput& in, Span span, Variant variant, ShapePlan& plan) {
    const BoxFrame b = BoxFrame::of(in);
    const int a = along(in.direc);
    const Vec3d bottom = span == Span::Quarter ? in.s : withAxial(b.c, in.direc, in.s[a]);
    const Tube t = Tube::of(in, span, bottom, in.e[a] - in.s[a]);
    const int flag = in.e[a] < in.s[a] ? 1 : 0;
    const auto lr = [](int v) { return static_cast<std::uint8_t>(v); };
    if (variant == Variant::T1) {
        plan.add(t.wall(t.outer, t.up(t.inner), lr(flag)));
        plan.add(t.wall(t.inner, t.up(t.inner), lr(1 - flag)));
    } else {
        plan.add(t.wall(t.outer, t.up(t.outer), lr(flag)));
        plan.add(t.wall(t.inner, t.up(t.outer), lr(1 - flag)));
    }
    if (in.open) return;
    if (!t.sweep.fullTurn()) {
        const VariantFaces& f = kVariantFaces[variant == Variant::T1 ? 0 : 1][flag];
        plan.add(t.face(t.rims(t.sweep.start), f.start));
        plan.add(t.face(t.rims(t.sweep.end), f.end));
    }
    // The ring faces away from the solid.
    const Across x = across(in.direc);
    if (t.outer[x.first] != 0.0 || t.outer[x.second] != 0.0)
        plan.add(ringShape(t.bottom, t.outer, t.div, t.direc, t.sweep, t.ratio, flag == 0));
}

}  // namespace

void generateTorus1(const PrimitiveInput& in, ShapePlan& plan) {
    generateTube(in, Span::Full, plan);
}

void generateTorus4(const PrimitiveInput& in, ShapePlan& plan) {
    generateTube(in, Span::Quarter, plan);
}

void generateT1Torus1(const PrimitiveInput& in, ShapePlan& plan) {
    generateVariant(in, Span::Full, Variant::T1, plan);
}

void generateT1Torus4(const PrimitiveInput& in, ShapePlan& plan) {
    generateVariant(in, Span::Quarter, Variant::T1, plan);
}

void generateT2Torus1(const PrimitiveInput& in, ShapePlan& plan) {
    generateVariant(in, Span::Full, Variant::T2, plan);
}

void generateT2Torus4(const PrimitiveInput& in, ShapePlan& plan) {
    generateVariant(in, Span::Quarter, Variant::T2, plan);
}

}  // namespace rz::geometry
