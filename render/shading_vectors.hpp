#pragma once
// Single-precision vector arithmetic for the per-point shading, where the inputs are floats
// already and the results end as bytes. In a namespace of its own so that other float-vector
// helpers of the render layer cannot collide with it.

#include <cmath>

#include "math/value_types.hpp"

namespace rz::render::shading_math {

constexpr Vec3 operator+(const Vec3& a, const Vec3& b) {
    return {a[0] + b[0], a[1] + b[1], a[2] + b[2]};
}
constexpr Vec3 operator-(const Vec3& a, const Vec3& b) {
    return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}
constexpr Vec3 operator*(const Vec3& a, float k) {
    return {a[0] * k, a[1] * k, a[2] * k};
}
constexpr float dot(const Vec3& a, const Vec3& b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}
inline float length(const Vec3& a) {
    return std::sqrt(dot(a, a));
}
// A zero vector stays zero.
inline Vec3 normalised(const Vec3& a) {
    const float len = length(a);
    return len > 0.0f ? a * (1.0f / len) : Vec3{};
}

// A value on the 0..255 scale held inside it; NaN (a power of a negative base) counts as 0.
constexpr float clamp255(float v) {
    return !(v > 0.0f) ? 0.0f : v > 255.0f ? 255.0f : v;
}

}  // namespace rz::render::shading_math
