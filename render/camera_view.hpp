#pragma once
// The camera model: the view matrix built from a camera record, and the perspective
// projection of camera-space points that the renderer and the wireframe views share.

#include "db/records.hpp"
#include "math/matrix_math.hpp"

namespace rz::render {

struct CameraView {
    Mat4 view = kIdentity;     // p_cam = p * view: x right, y up, z the depth in front
    double eyeUnit = 0.0;      // 1 for a valid camera, 0 when eye and target coincide
    double perspective = 0.0;  // t = tan(zoom / 2) * eyeUnit
    double depthScale = 0.0;   // 10^6 for a valid camera
};

CameraView setupView(const db::Camera& camera);

// Where a camera-space point lands on an image whose screen scale (half its width) is
// `scale`. The visible range of y is 0.75 of that of x: a 4:3 frame.
struct ScreenPoint {
    double x = 0.0;
    double y = 0.0;
};

// k = 1 / (z t / e); 0 when that denominator is 0.
inline double perspectiveFactor(const CameraView& v, double depth) {
    const double denominator = v.eyeUnit != 0.0 ? depth * v.perspective / v.eyeUnit : 0.0;
    return denominator != 0.0 ? 1.0 / denominator : 0.0;
}

inline ScreenPoint projectCamera(const CameraView& v, const Vec3d& cam, double scale) {
    const double k = perspectiveFactor(v, cam[2]);
    return {(cam[0] * k + 1.0) * scale, (0.75 - cam[1] * k) * scale};
}

}  // namespace rz::render
