#include "geometry/sweep.hpp"

#include <cmath>
#include <numbers>

#include "geometry/truncate.hpp"
#include "script/messages.hpp"
#include "script/tokens.hpp"

namespace rz::geometry {
namespace {

constexpr double kRadian = std::numbers::pi / 180.0;

double sign(double r) {
    return r < 0.0 ? -1.0 : 1.0;
}

}  // namespace

script::Result makeSweep(platform::MessageService& msg, float start, float end, int div,
                         bool reversed, Sweep& out) {
    AngleRange range;
    if (normaliseAngles(msg, start, end, range) != script::kOk) return script::kFail;
    out.start = range.start * kRadian;
    out.end = range.end * kRadian;
    out.step = (out.end - out.start) / div;
    out.div = div;
    out.reversed = reversed;
    out.closed = range.opening() == 360.0;
    return script::kOk;
}

script::Result checkDivisions(platform::MessageService& msg, int div) {
    if (div >= 1) return script::kOk;
    msg.errorBox(script::msg::kValueNotCorrect);
    return script::kFail;
}

script::Result readDirection(platform::MessageService& msg, float stored, int& direc) {
    direc = truncateToInt(stored);
    if (direc >= 1 && direc <= 3) return script::kOk;
    msg.errorBox(script::msg::kValueNotCorrect);
    return script::kFail;
}

Vec3d ellipseOffset(int direc, const Vec3d& r, double theta) {
    const double c = std::cos(theta);
    const double s = std::sin(theta);
    switch (direc) {
        case 1:
            return {0.0, r[1] * c, r[2] * s};
        case 2:
            return {-r[0] * c, 0.0, r[2] * s};
        default:
            return {r[0] * c, r[1] * s, 0.0};
    }
}

Vec3d axisUnit(int direc) {
    Vec3d a{};
    a[direc - 1] = 1.0;
    return a;
}

Vec3d overRadii(const Vec3d& n, const Vec3d& r) {
    const Vec3d m{std::abs(r[0]), std::abs(r[1]), std::abs(r[2])};
    return {n[0] * sign(r[0]) * m[1] * m[2], n[1] * sign(r[1]) * m[0] * m[2],
            n[2] * sign(r[2]) * m[0] * m[1]};
}

}  // namespace rz::geometry
