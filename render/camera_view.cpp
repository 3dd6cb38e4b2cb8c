#include "render/camera_view.hpp"

#include <cmath>
#include <numbers>

namespace rz::render {

CameraView setupView(const db::Camera& c) {
    const Vec3d pos = widen(c.pos);
    const Vec3d w = normalised(pos - widen(c.tar));
    const Vec3d up = widen(c.upper);
    const Vec3d v = normalised(up - w * dot(up, w));
    const Vec3d u = cross(v, w);

    CameraView out;
    Mat4& m = out.view;
    for (int r = 0; r < 3; ++r) {
        m[r * 4 + 0] = u[r];
        m[r * 4 + 1] = v[r];
        m[r * 4 + 2] = -w[r];
        m[r * 4 + 3] = 0.0;
    }
    m[12] = -dot(pos, u);
    m[13] = -dot(pos, v);
    m[14] = dot(pos, w);
    m[15] = 1.0;
    m = multiply(m, rotation(RotationAxis::X, c.rot[0]));
    m = multiply(m, rotation(RotationAxis::Y, c.rot[1]));
    m = multiply(m, rotation(RotationAxis::Z, c.rot[2]));

    out.eyeUnit = length(w);
    out.perspective = std::tan(c.zoom / 2.0 * std::numbers::pi / 180.0) * out.eyeUnit;
    if (out.eyeUnit > 0.0)
        out.depthScale = std::pow(10.0, std::trunc(std::log10(out.eyeUnit)) + 6.0);
    return out;
}

}  // namespace rz::render
