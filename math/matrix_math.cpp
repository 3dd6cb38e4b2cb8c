#include "math/matrix_math.hpp"

#include <numbers>

namespace rz {

Mat4 rotation(RotationAxis axis, double degrees) {
    const double a = degrees * std::numbers::pi / 180.0;
    const double c = std::cos(a);
    const double s = std::sin(a);
    Mat4 m = kIdentity;
    switch (axis) {
        case RotationAxis::X:
            m[5] = c, m[6] = s, m[9] = -s, m[10] = c;
            break;
        case RotationAxis::Y:
            m[0] = c, m[2] = -s, m[8] = s, m[10] = c;
            break;
        case RotationAxis::Z:
            m[0] = c, m[1] = s, m[4] = -s, m[5] = c;
            break;
    }
    return m;
}

Mat4 normalMatrix(const Mat4& m) {
    const auto a = [&](int r, int c) { return at(m, r, c); };
    const auto cof = [&](int r, int c) {
        const int r1 = (r + 1) % 3;
        const int r2 = (r + 2) % 3;
        const int c1 = (c + 1) % 3;
        const int c2 = (c + 2) % 3;
        return a(r1, c1) * a(r2, c2) - a(r1, c2) * a(r2, c1);
    };
    const double det = a(0, 0) * cof(0, 0) + a(0, 1) * cof(0, 1) + a(0, 2) * cof(0, 2);
    const double scale = det != 0.0 ? 1.0 / det : 1.0;
    Mat4 n = kIdentity;
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) n[r * 4 + c] = cof(r, c) * scale;
    return n;
}

}  // namespace rz
