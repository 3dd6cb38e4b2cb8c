#pragma once
// What the swept kinds share: the division count and axis of revolution read from their
// parameters, the angular sweep with its facing direction, and the ellipse around an axis.

#include "geometry/angles.hpp"
#include "math/vec_math.hpp"
#include "platform/message_service.hpp"
#include "script/tokens.hpp"

namespace rz::geometry {

// Steps k = 0 .. div over an angular range; a reversed sweep starts at the end and runs
// backwards, and each step keeps the texture parameter of its place on the surface.
struct Sweep {
    double start = 0.0;  // radians
    double end = 0.0;
    double step = 0.0;
    int div = 1;
    bool reversed = false;
    bool closed = false;  // a full turn: the last step meets the first

    double angle(int k) const { return reversed ? end - k * step : start + k * step; }
    double param(int k) const {
        return reversed ? static_cast<double>(div - k) / div : static_cast<double>(k) / div;
    }
};

// kFail after the zero-opening message.
script::Result makeSweep(platform::MessageService& msg, float start, float end, int div,
                         bool reversed, Sweep& out);

// A division count below 1 gives no geometry and is refused with the value message.
script::Result checkDivisions(platform::MessageService& msg, int div);
// The axis of revolution 1 (X), 2 (Y) or 3 (Z) from its stored float; others are refused.
script::Result readDirection(platform::MessageService& msg, float stored, int& direc);

// The point of the ellipse with radii r at angle theta, relative to its centre; only the
// two radii perpendicular to direc are used.
Vec3d ellipseOffset(int direc, const Vec3d& r, double theta);
// Unit vector along direc.
Vec3d axisUnit(int direc);

// The direction of (n.x / r.x, n.y / r.y, n.z / r.z), the gradient of an ellipse or an
// ellipsoid. It is scaled by |r.x r.y r.z| so that a zero radius (a flat shape) gives the
// limiting direction instead of a division by zero.
Vec3d overRadii(const Vec3d& n, const Vec3d& r);

}  // namespace rz::geometry
