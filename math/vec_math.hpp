#pragma once
// Double-precision vector arithmetic for geometry that is stored as floats: values are
// widened on the way in and narrowed once on the way out.

#include <array>
#include <cmath>

#include "math/value_types.hpp"

namespace rz {

using Vec3d = std::array<double, 3>;

constexpr Vec3d widen(const Vec3& v) {
    return {v[0], v[1], v[2]};
}
constexpr Vec3 narrow(const Vec3d& v) {
    return {static_cast<float>(v[0]), static_cast<float>(v[1]), static_cast<float>(v[2])};
}

constexpr Vec3d operator+(const Vec3d& a, const Vec3d& b) {
    return {a[0] + b[0], a[1] + b[1], a[2] + b[2]};
}
constexpr Vec3d operator-(const Vec3d& a, const Vec3d& b) {
    return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}
constexpr Vec3d operator*(const Vec3d& a, double k) {
    return {a[0] * k, a[1] * k, a[2] * k};
}

constexpr double dot(const Vec3d& a, const Vec3d& b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}
constexpr Vec3d cross(const Vec3d& a, const Vec3d& b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
inline double length(const Vec3d& a) {
    return std::sqrt(dot(a, a));
}

// Unit vector in the direction of a; a zero vector stays zero.
inline Vec3d normalised(const Vec3d& a) {
    const double len = length(a);
    return len > 0.0 ? a * (1.0 / len) : Vec3d{};
}

}  // namespace rz
