// Cones and cylinders, full and quarter: one revolved wall, closed by cut faces where the
// sweep is partial and by caps at the ends that have a radius.
#include "geometry/primitives.hpp"

namespace rz::geometry {
namespace {

enum class Span { Full, Quarter };
enum class Profile { Cylinder, Cone };

struct Wall {
    int direc = 0;
    Vec3d bottom{};       // centre of the bottom rim
    Vec3d bottomRadii{};  // zero along direc
    Vec3d topRadii{};     // the height along direc
    Degrees sweep;
    int div = 0;

    Vec3d top() const {
        return withAxial(bottom, direc, bottom[along(direc)] + topRadii[along(direc)]);
    }
};

// The wall runs from the min side to the max side along direc. A full wall stands on the
// box's axis with the half sizes as radii; a quarter wall stands on the edge through s
// with the full sizes, over the quadrant toward e. A cone's apex lies at the end away
// from s.
Wall wallOf(const PrimitiveInput& in, Span span, Profile profile) {
    const BoxFrame b = BoxFrame::of(in);
    const int d = in.direc;
    const int a = along(d);
    Wall w;
    w.direc = d;
    w.div = in.div;
    w.bottom = withAxial(span == Span::Quarter ? in.s : b.c, d, b.lo[a]);
    w.bottomRadii = withAxial(span == Span::Quarter ? b.z : b.h, d, 0.0);
    w.topRadii = withAxial(w.bottomRadii, d, b.z[a]);
    w.sweep = span == Span::Quarter ? quadrant(d, in) : kFullTurn;
    if (profile == Profile::Cone) {
        if (in.s[a] > in.e[a]) {
            w.bottomRadii = {};
        } else {
            w.topRadii = withAxial({}, d, b.z[a]);
        }
    }
    return w;
}

bool isZero(const Vec3d& v) {
    return v[0] == 0.0 && v[1] == 0.0 && v[2] == 0.0;
}

// Cut faces wind like the faces of the six-face box (their corner normals point into the
// solid): the face at the start angle runs axis then rim, the one at the end rim then axis.
void addCutFaces(const Wall& w, ShapePlan& plan) {
    const Vec3d top = w.top();
    const auto rims = [&](float angle) {
        return std::array<Vec3d, 2>{rimPoint(w.bottom, w.bottomRadii, w.direc, angle),
                                    rimPoint(top, w.topRadii, w.direc, angle)};
    };
    const auto start = rims(w.sweep.start);
    plan.add(quadShape(w.bottom, top, start[0], start[1]));
    const auto end = rims(w.sweep.end);
    plan.add(quadShape(end[0], end[1], w.bottom, top));
}

void generateWall(const PrimitiveInput& in, Span span, Profile profile, ShapePlan& plan) {
    const Wall w = wallOf(in, span, profile);
    plan.add(revolveShape(w.bottom, w.bottomRadii, w.topRadii, w.div, w.direc, w.sweep, 0));
    if (in.open) return;
    if (!w.sweep.fullTurn()) addCutFaces(w, plan);
    if (!isZero(w.bottomRadii))
        plan.add(discShape(w.bottom, w.bottomRadii, w.div, w.direc, w.sweep, true));
    const Across x = across(w.direc);
    if (w.topRadii[x.first] != 0.0 || w.topRadii[x.second] != 0.0)
        plan.add(discShape(w.top(), withAxial(w.topRadii, w.direc, 0.0), w.div, w.direc, w.sweep,
                           false));
}

}  // namespace

void generateCorn1(const PrimitiveInput& in, ShapePlan& plan) {
    generateWall(in, Span::Full, Profile::Cone, plan);
}

void generateCyl1(const PrimitiveInput& in, ShapePlan& plan) {
    generateWall(in, Span::Full, Profile::Cylinder, plan);
}

void generateCorn4(const PrimitiveInput& in, ShapePlan& plan) {
    generateWall(in, Span::Quarter, Profile::Cone, plan);
}

void generateCyl4(const PrimitiveInput& in, ShapePlan& plan) {
    generateWall(in, Span::Quarter, Profile::Cylinder, plan);
}

}  // namespace rz::geometry
