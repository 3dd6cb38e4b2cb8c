#pragma once
// Moving the vertices of an explicit shape through a matrix, as the affine command does.

#include <span>

#include "db/database.hpp"
#include "math/value_types.hpp"
#include "platform/message_service.hpp"
#include "script/tokens.hpp"

namespace rz::geometry {

// The empty-box sentinels of shape boxes.
inline constexpr float kShapeBoxSentinel = 9999999.0f;

// The shape's own axes, never reaching past the axis store.
std::span<db::Axis> shapeAxes(db::Database& db, const db::Shape& s);

// The box of the shape's own axes, folded from the sentinels.
void boxFromAxes(db::Database& db, db::Shape& s);

// An odd number of negative scale factors turns the shape's facing over.
void flipFacing(db::Shape& s, int mirrorCount);

// Positions and normals through m. Normals are corrected for unequal scaling by the ratio
// of each box edge before and after the transform, then renormalised; the box is rebuilt.
void transformShapeAxes(db::Database& db, db::Shape& s, const Mat4& m);

// Bakes m into the axes of a freshly appended explicit shape (box from its axes, facing
// flip by the mirror count, transform) and gives it a new identity matrix slot. The caller
// has made sure a slot is free.
script::Result bakeShape(db::Database& db, platform::MessageService& msg, int shape, const Mat4& m);

}  // namespace rz::geometry
