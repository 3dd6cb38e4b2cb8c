#pragma once
// The geometry of the box cursor: its corners, the direction marker, where both land in a
// pane, and the matrices that turn a change of the cursor into a block transform.

#include "db/box_cursor_state.hpp"
#include "geometry/pane_projector.hpp"
#include "math/value_types.hpp"
#include "math/vec_math.hpp"

namespace rz::geometry {

// Which coordinates of corner k (0..7) come from box.e rather than box.s; corners outside
// 0..7 are taken as corner 0.
std::array<bool, 3> cornerFromE(int corner);
Vec3 cursorCorner(const Vec3& s, const Vec3& e, int corner);
// Corner k of the box s-e takes the chosen coordinates of p, each written to s or e as the
// corner says.
void setCorner(Vec3& s, Vec3& e, int corner, const Vec3& p, const std::array<bool, 3>& which);

// The centroid of the three points on the box edges that leave s: each edge's midpoint, but
// the far end of the edge along direc (1 x, 2 y, 3 z).
Vec3 directionMarkerPoint(const Vec3& s, const Vec3& e, int direc);

// The handles, box rectangle and marker of one pane for the cursor s-e.
void refreshCursorPane(db::CursorPane& pane, const Vec3& s, const Vec3& e, int direc,
                       const PaneProjector& projector);

// block.move: the translation that takes the abox's minimum corner to s.
Mat4 blockMoveMatrix(const Vec3& s, const Vec3& aboxMin);

// block.scaling: per axis the cursor's size over the abox's (1 where the abox is flat).
Vec3d blockScalingFactors(const Vec3& s, const Vec3& e, const Vec3& aboxMin, const Vec3& aboxMax);
// T(-c) * S(factors) * T(c) * T(s - abox min), c the rotation centre.
Mat4 blockScalingMatrix(const Vec3d& factors, const Vec3& centre, const Vec3& s,
                        const Vec3& aboxMin);

// The stepped move: on each axis the cursor jumps by whole multiples of its own size so
// that the grid point falls into it; an axis of size 0 stays. True when s moved.
bool stepCursor(Vec3& s, Vec3& e, const Vec3& gridPoint);

}  // namespace rz::geometry
