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

}  // namespace rz
