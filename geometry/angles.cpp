#include "geometry/angles.hpp"

#include <cmath>
#include <utility>

#include "geometry/geometry_messages.hpp"
#include "script/tokens.hpp"

namespace rz::geometry {
namespace {

double reduceTurns(double degrees) {
    return degrees - std::trunc(degrees / 360.0) * 360.0;
}

}  // namespace

script::Result normaliseAngles(platform::MessageService& msg, float start, float end,
                               AngleRange& out) {
    double a = start;
    double b = end;
    if (b < a) std::swap(a, b);
    // Equal angles have no opening; an angle that is not a number has none either.
    if (!(a < b)) {
        msg.errorBox(msg::kZeroOpening);
        return script::kFail;
    }
    if (b > 360.0) b = 360.0;
    if (a < -360.0 || a >= 360.0) a = reduceTurns(a);
    // An end of exactly 360 is a full turn and stays.
    if (b < -360.0) b = reduceTurns(b);
    out = {a, b};
    return script::kOk;
}

}  // namespace rz::geometry
