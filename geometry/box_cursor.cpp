#include "geometry/box_cursor.hpp"

#include <algorithm>
#include <array>
#include <cmath>

#include "math/matrix_math.hpp"

namespace rz::geometry {
namespace {

// Corners 0..7: whether x, y and z come from box.e.
constexpr std::array<std::array<bool, 3>, db::kCursorCorners> kCornerFromE{{
    {false, false, false},
    {false, false, true},
    {true, false, true},
    {true, false, false},
    {false, true, false},
    {false, true, true},
    {true, true, true},
    {true, true, false},
}};

}  // namespace

std::array<bool, 3> cornerFromE(int corner) {
    if (corner < 0 || corner >= db::kCursorCorners) corner = 0;
    return kCornerFromE[corner];
}

Vec3 cursorCorner(const Vec3& s, const Vec3& e, int corner) {
    const std::array<bool, 3> fromE = cornerFromE(corner);
    return {fromE[0] ? e[0] : s[0], fromE[1] ? e[1] : s[1], fromE[2] ? e[2] : s[2]};
}

void setCorner(Vec3& s, Vec3& e, int corner, const Vec3& p, const std::array<bool, 3>& which) {
    const std::array<bool, 3> fromE = cornerFromE(corner);
    for (int c = 0; c < 3; ++c)
        if (which[c]) (fromE[c] ? e : s)[c] = p[c];
}

Vec3 directionMarkerPoint(const Vec3& s, const Vec3& e, int direc) {
    const Vec3d sd = widen(s);
    Vec3d sum{};
    for (int axis = 0; axis < 3; ++axis) {
        Vec3d p = sd;
        p[axis] = axis + 1 == direc ? e[axis] : (sd[axis] + e[axis]) / 2.0;
        sum = sum + p;
    }
    return narrow(sum * (1.0 / 3.0));
}

void refreshCursorPane(db::CursorPane& pane, const Vec3& s, const Vec3& e, int direc,
                       const PaneProjector& projector) {
    pane = db::CursorPane{};
    for (int k = 0; k < db::kCursorCorners; ++k) {
        const std::optional<db::ScreenPoint> p = projector.project(cursorCorner(s, e, k));
        if (!p) continue;
        pane.handles[k] = *p;
        pane.projected[k] = true;
        pane.boxMin = {std::min(pane.boxMin.x, p->x), std::min(pane.boxMin.y, p->y)};
        pane.boxMax = {std::max(pane.boxMax.x, p->x), std::max(pane.boxMax.y, p->y)};
    }
    if (const std::optional<db::ScreenPoint> m =
            projector.project(directionMarkerPoint(s, e, direc))) {
        pane.marker = *m;
        pane.markerProjected = true;
    }
}

Mat4 blockMoveMatrix(const Vec3& s, const Vec3& aboxMin) {
    return translation(widen(s) - widen(aboxMin));
}

Vec3d blockScalingFactors(const Vec3& s, const Vec3& e, const Vec3& aboxMin, const Vec3& aboxMax) {
    Vec3d f{};
    for (int c = 0; c < 3; ++c) {
        const double a = static_cast<double>(e[c]) - s[c];
        const double whole = static_cast<double>(aboxMax[c]) - aboxMin[c];
        f[c] = whole == 0.0 ? 1.0 : a / whole;
    }
    return f;
}

Mat4 blockScalingMatrix(const Vec3d& factors, const Vec3& centre, const Vec3& s,
                        const Vec3& aboxMin) {
    const Vec3d c = widen(centre);
    const Mat4 aboutCentre =
        multiply(multiply(translation(c * -1.0), scaling(factors)), translation(c));
    return multiply(aboutCentre, blockMoveMatrix(s, aboxMin));
}

bool stepCursor(Vec3& s, Vec3& e, const Vec3& gridPoint) {
    const Vec3 before = s;
    for (int c = 0; c < 3; ++c) {
        const double size = std::abs(static_cast<double>(e[c]) - s[c]);
        if (size == 0.0) continue;
        double lo = std::min(s[c], e[c]);
        double d = gridPoint[c] - lo;
        if (gridPoint[c] < lo) d -= size;
        lo += std::trunc(d / size) * size;
        const bool sIsLow = s[c] <= e[c];
        (sIsLow ? s : e)[c] = static_cast<float>(lo);
        (sIsLow ? e : s)[c] = static_cast<float>(lo + size);
    }
    return s != before;
}

}  // namespace rz::geometry
