#pragma once
// The current matrix and the matrix stack every composition goes through. A composite
// operation first makes sure the stack has room for all the levels it would use, so a
// refused operation leaves the current matrix and the stack exactly as they were.

#include "db/database.hpp"
#include "math/matrix_math.hpp"
#include "platform/message_service.hpp"
#include "script/tokens.hpp"

namespace rz::geometry {

// Back to the state of a fresh start: identity, empty stack, centre at the origin, no
// mirroring.
void resetMatrixState(db::GeometryState& g);

// Whether `levels` more pushes fit; reports the overflow when they do not.
bool stackRoomFor(const db::GeometryState& g, platform::MessageService& msg, int levels);

// stack[depth] = current. kFail after the overflow message when the stack is full.
script::Result pushMatrix(db::GeometryState& g, platform::MessageService& msg);
// current = popped * current. kFail after the underflow message when the stack is empty.
script::Result popMatrix(db::GeometryState& g, platform::MessageService& msg);
// current = current * popped.
script::Result popMatrixAfter(db::GeometryState& g, platform::MessageService& msg);

// p * current.
inline Vec3 transformByCurrent(const db::GeometryState& g, const Vec3& p) {
    return transformPoint(p, g.current);
}

// current = current * T(t).
script::Result translateAppend(db::GeometryState& g, platform::MessageService& msg, const Vec3& t);
// current = current * T(-c) * R * T(c), c the rotation centre.
script::Result rotateAbout(db::GeometryState& g, platform::MessageService& msg, RotationAxis axis,
                           double degrees);
// current = current * T(-c) * diag(s) * T(c); the mirror count becomes the number of
// negative factors.
script::Result scaleAbout(db::GeometryState& g, platform::MessageService& msg, const Vec3& s);

// A rotation about a point that the interactive tools undo again: begin saves the current
// matrix and the centre, end brings both back.
script::Result beginTemporaryRotation(db::GeometryState& g, platform::MessageService& msg,
                                      const Vec3& point, RotationAxis axis, double degrees);
script::Result endTemporaryRotation(db::GeometryState& g, platform::MessageService& msg);

}  // namespace rz::geometry
