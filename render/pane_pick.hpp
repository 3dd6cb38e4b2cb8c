#pragma once
// From a pixel of the view area back to the world: which pane holds it and the world point
// an orthographic pane shows there; and each pane's projection as the box-cursor tools see
// it, in whole pixels as the cursor is drawn.

#include <optional>

#include "geometry/pane_projector.hpp"
#include "math/value_types.hpp"
#include "render/pane_layout.hpp"
#include "render/pane_projection.hpp"

namespace rz::render {

// The first pane whose rectangle holds the pixel, edges included; -1 for none.
int paneAt(const PaneLayout& layout, int x, int y);

struct PanePoint {
    int pane = -1;
    DisplayMode mode = DisplayMode::Perspective;
    Vec3 world{};
};

// The world point an orthographic pane shows at the pixel's top-left corner, which the
// pane's projection takes back to that pixel; the coordinate the pane does not show comes
// from `base`. Nothing outside every pane or in the perspective pane.
std::optional<PanePoint> orthographicPoint(const PaneLayout& layout, int x, int y,
                                           const Vec3& base);

// A pane's projection for the box-cursor tools: the pixel that holds the projected point,
// so that handles and grid points are where the drawing puts them. The perspective pane
// projects with the camera the projector was made with and changes no camera state.
class CursorPaneProjector final : public geometry::PaneProjector {
  public:
    explicit CursorPaneProjector(const render::PaneProjector& pane) : pane_(pane) {}
    std::optional<db::ScreenPoint> project(const Vec3& p) const override;

  private:
    render::PaneProjector pane_;
};

}  // namespace rz::render
