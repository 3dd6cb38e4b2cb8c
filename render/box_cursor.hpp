#pragma once
// The box cursor in the panes: the box box.s-box.e, a handle on each corner and the
// direction marker (a small square with the letter of direc). It is drawn with XOR, so
// drawing it a second time with the same values takes it away again. Each drawing records
// where the handles, the box and the marker are in every pane (Views::cursor) for the
// mouse tools.

#include "math/value_types.hpp"
#include "render/views.hpp"
#include "script/interp.hpp"

namespace rz::render {

// Corner n of the box s-e, numbered as the block tools number them: bit pattern of which
// coordinates come from e (0 sss, 1 sse, 2 ese, 3 ess, 4 ses, 5 see, 6 eee, 7 ees).
Vec3 cursorCorner(const Vec3& s, const Vec3& e, int corner);

// The point the direction marker shows: the centroid of the midpoints of the three edges
// leaving s, the edge along direc taken at its far end instead. direc outside 1..3 is X.
Vec3 directionMarkerPoint(const Vec3& s, const Vec3& e, int direc);

// Into every pane, or into the perspective first pane alone.
void drawBoxCursor(Views& views, script::Interp& in, bool perspectiveOnly);

}  // namespace rz::render
