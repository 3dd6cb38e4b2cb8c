#pragma once
// What a primitive generator produces: the parameter records of the shapes of one
// primitive, in creation order, held in a fixed plan that is written to the stores only
// when all of it fits. Nothing here allocates.

#include <array>
#include <cstdint>
#include <span>

#include "geometry/expansion_writer.hpp"
#include "geometry/sweep.hpp"
#include "math/vec_math.hpp"

namespace rz::geometry {

// The box a primitive fills and the choices the tools make for it.
struct PrimitiveInput {
    Vec3d s{};           // first corner
    Vec3d e{};           // opposite corner
    double ratio = 1.0;  // inner-radius ratio of the tubes
    int div = 0;         // divisions of curved shapes and of the grid plane
    int direc = 0;       // axis of revolution or plane orientation: 1 X, 2 Y, 3 Z
    bool open = false;   // futa: leave caps and cut faces out
};

// An angular range in degrees, as the shapes store it.
struct Degrees {
    float start = 0.0f;
    float end = 0.0f;
    bool fullTurn() const { return start == 0.0f && end == 360.0f; }
};
inline constexpr Degrees kFullTurn{0.0f, 360.0f};

// One parametric shape: its kind, facing flag and the parameters of its axes A and B.
struct PlannedShape {
    std::uint8_t kind = 0;
    std::uint8_t lrflag = 0;
    Packed a{};
    Packed b{};
};

// The parameter axes a kind is stored in.
int parameterAxes(std::uint8_t kind);

class ShapePlan {
  public:
    // Enough for the largest primitive: a quarter tube with its cut faces and rings.
    static constexpr std::size_t kCapacity = 8;

    void add(const PlannedShape& planned);
    std::span<const PlannedShape> shapes() const { return {shapes_.data(), count_}; }
    std::int64_t axes() const;

  private:
    std::array<PlannedShape, kCapacity> shapes_{};
    std::size_t count_ = 0;
};

// Centre, full sizes and half sizes of the input box, and its min and max sides.
struct BoxFrame {
    Vec3d c, z, h, lo, hi;
    static BoxFrame of(const PrimitiveInput& in);
};

// The component index of an axis 1..3; the two across it are `across` (geometry/sweep.hpp).
constexpr int along(int direc) {
    return direc - 1;
}

// Whether e lies at or beyond s along component i; strictly beyond for `beyond`.
inline bool ahead(const PrimitiveInput& in, int i) {
    return in.e[i] >= in.s[i];
}
inline bool beyond(const PrimitiveInput& in, int i) {
    return in.e[i] > in.s[i];
}

// The 90-degree quadrant around axis `direc` that points from s toward e.
Degrees quadrant(int direc, const PrimitiveInput& in);

// The point at `degrees` on the ellipse with `radii` around `direc` through `centre`.
Vec3d rimPoint(const Vec3d& centre, const Vec3d& radii, int direc, float degrees);

// `v` with its component along direc replaced.
Vec3d withAxial(Vec3d v, int direc, double value);

// Parameter records of the parametric kinds.
PlannedShape boxShape(const Vec3d& centre, const Vec3d& size);
PlannedShape quadShape(const Vec3d& p0, const Vec3d& p1, const Vec3d& p2, const Vec3d& p3);
PlannedShape gridPlaneShape(const Vec3d& p0, const Vec3d& p1, const Vec3d& p2, const Vec3d& p3,
                            int div);
// topRadii carries the signed height in its direc component.
PlannedShape revolveShape(const Vec3d& bottomCentre, const Vec3d& bottomRadii,
                          const Vec3d& topRadii, int div, int direc, Degrees sweep,
                          std::uint8_t lrflag);
// facesBack: the cap faces -direc.
PlannedShape discShape(const Vec3d& centre, const Vec3d& radii, int div, int direc, Degrees sweep,
                       bool facesBack);
PlannedShape ringShape(const Vec3d& centre, const Vec3d& outerRadii, int div, int direc,
                       Degrees sweep, double ratio, bool facesBack);
PlannedShape ballShape(const Vec3d& centre, const Vec3d& radii, int div, Degrees latitude,
                       Degrees longitude);

}  // namespace rz::geometry
