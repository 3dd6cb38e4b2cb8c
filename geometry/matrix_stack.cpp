#include "geometry/matrix_stack.hpp"

#include "geometry/geometry_messages.hpp"
#include "script/tokens.hpp"

namespace rz::geometry {
namespace {

using script::kFail;
using script::kOk;
using script::Result;

// The factor T(-c) * F * T(c) that a push / build / pop sequence appends.
Mat4 aboutCentre(const db::GeometryState& g, const Mat4& factor) {
    const Vec3d c = widen(g.center);
    return multiply(multiply(translation(c * -1.0), factor), translation(c));
}

script::Result underflow(platform::MessageService& msg) {
    msg.errorBox(msg::kStackUnderflow);
    return kFail;
}

}  // namespace

bool stackRoomFor(const db::GeometryState& g, platform::MessageService& msg, int levels) {
    if (g.depth + levels <= db::kMatrixStackDepth) return true;
    msg.errorBox(msg::kStackOverflow);
    return false;
}

void resetMatrixState(db::GeometryState& g) {
    g = db::GeometryState{};
}

script::Result pushMatrix(db::GeometryState& g, platform::MessageService& msg) {
    if (!stackRoomFor(g, msg, 1)) return kFail;
    g.stack[g.depth++] = g.current;
    return kOk;
}

script::Result popMatrix(db::GeometryState& g, platform::MessageService& msg) {
    if (g.depth <= 0) return underflow(msg);
    --g.depth;
    g.current = multiply(g.stack[g.depth], g.current);
    return kOk;
}

script::Result popMatrixAfter(db::GeometryState& g, platform::MessageService& msg) {
    if (g.depth <= 0) return underflow(msg);
    --g.depth;
    g.current = multiply(g.current, g.stack[g.depth]);
    return kOk;
}

script::Result translateAppend(db::GeometryState& g, platform::MessageService& msg, const Vec3& t) {
    if (!stackRoomFor(g, msg, 1)) return kFail;
    g.current = multiply(g.current, translation(widen(t)));
    return kOk;
}

script::Result rotateAbout(db::GeometryState& g, platform::MessageService& msg, RotationAxis axis,
                           double degrees) {
    if (!stackRoomFor(g, msg, 2)) return kFail;
    g.current = multiply(g.current, aboutCentre(g, rotation(axis, degrees)));
    return kOk;
}

script::Result scaleAbout(db::GeometryState& g, platform::MessageService& msg, const Vec3& s) {
    if (!stackRoomFor(g, msg, 2)) return kFail;
    g.current = multiply(g.current, aboutCentre(g, scaling(widen(s))));
    g.mirrorCount = (s[0] < 0.0f) + (s[1] < 0.0f) + (s[2] < 0.0f);
    return kOk;
}

script::Result beginTemporaryRotation(db::GeometryState& g, platform::MessageService& msg,
                                      const Vec3& point, RotationAxis axis, double degrees) {
    if (!stackRoomFor(g, msg, 3) || pushMatrix(g, msg) != kOk) return kFail;
    g.temporaryCenterBackup = g.center;
    g.center = point;
    g.current = kIdentity;
    return rotateAbout(g, msg, axis, degrees);
}

script::Result endTemporaryRotation(db::GeometryState& g, platform::MessageService& msg) {
    if (g.depth <= 0) return underflow(msg);
    g.current = kIdentity;
    if (popMatrix(g, msg) != kOk) return kFail;
    g.center = g.temporaryCenterBackup;
    return kOk;
}

}  // namespace rz::geometry
