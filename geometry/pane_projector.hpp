#pragma once
// How a pane of the views maps world points to its pixels. The views implement it for each
// pane (orthographic from the pane's world window, perspective through the camera); the
// box-cursor tools use it to find handles and grid points under the mouse.

#include <optional>

#include "db/box_cursor_state.hpp"
#include "math/value_types.hpp"

namespace rz::geometry {

class PaneProjector {
  public:
    virtual ~PaneProjector() = default;
    // The pixel a world point lands on, or nothing when it cannot be projected into the
    // pane (behind the camera's near limit).
    virtual std::optional<db::ScreenPoint> project(const Vec3& p) const = 0;
};

}  // namespace rz::geometry
