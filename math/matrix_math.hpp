#pragma once
// 4x4 affine matrices used with row vectors: p' = p * M, translation in the last row.

#include "math/value_types.hpp"
#include "math/vec_math.hpp"

namespace rz {

enum class RotationAxis { X, Y, Z };

constexpr double at(const Mat4& m, int row, int col) {
    return m[row * 4 + col];
}

constexpr Mat4 multiply(const Mat4& a, const Mat4& b) {
    Mat4 r{};
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            double sum = 0.0;
            for (int k = 0; k < 4; ++k) sum += at(a, i, k) * at(b, k, j);
            r[i * 4 + j] = sum;
        }
    return r;
}

constexpr Mat4 translation(const Vec3d& t) {
    Mat4 m = kIdentity;
    m[12] = t[0];
    m[13] = t[1];
    m[14] = t[2];
    return m;
}

constexpr Mat4 scaling(const Vec3d& s) {
    Mat4 m = kIdentity;
    m[0] = s[0];
    m[5] = s[1];
    m[10] = s[2];
    return m;
}

// Positive angles turn y toward z (X), z toward x (Y) and x toward y (Z).
Mat4 rotation(RotationAxis axis, double degrees);

// The inverse transpose of the linear part: normals stay at right angles to their surface
// under any scaling (the identity part for a singular matrix).
Mat4 normalMatrix(const Mat4& m);

// p * M with the translation.
constexpr Vec3d transformPoint(const Vec3d& p, const Mat4& m) {
    Vec3d r{};
    for (int c = 0; c < 3; ++c)
        r[c] = p[0] * at(m, 0, c) + p[1] * at(m, 1, c) + p[2] * at(m, 2, c) + at(m, 3, c);
    return r;
}

// p * M without the translation: where a direction goes.
constexpr Vec3d transformDirection(const Vec3d& d, const Mat4& m) {
    Vec3d r{};
    for (int c = 0; c < 3; ++c) r[c] = d[0] * at(m, 0, c) + d[1] * at(m, 1, c) + d[2] * at(m, 2, c);
    return r;
}

// Floats in, double arithmetic, floats out.
constexpr Vec3 transformPoint(const Vec3& p, const Mat4& m) {
    return narrow(transformPoint(widen(p), m));
}

}  // namespace rz
