#pragma once
// The point editor in the views: the current point as a small square in every pane, drawn
// with XOR so that drawing it again at the same place takes it away, and the point a mouse
// press in an orthographic pane lands on.

#include <span>

#include "math/value_types.hpp"
#include "render/views.hpp"
#include "script/interp.hpp"

namespace rz::render {

inline constexpr int kPointMarkerHalf = 3;  // the square is 7 pixels wide
inline constexpr int kPointReach = 5;       // how far from a point a press still grabs it

// Draws the square around the world point in every pane of the layout, in C.ACTIVE.
void togglePointMarker(Views& views, script::Interp& in, const Vec3& world);

// The point nearest to the pixel, at most `reach` pixels away on either axis, in the
// orthographic pane under the pixel; -1 for none or outside such a pane.
int pointNear(const Views& views, script::Interp& in, std::span<const Vec3> points, int x, int y,
              int reach = kPointReach);

}  // namespace rz::render
