#pragma once
// How one pane maps world points to its pixels. An orthographic pane is one affine map; the
// perspective pane takes points to camera space, cuts segments at the near limit and
// projects them. The map of a pane and the placement of a shape are combined once per
// shape, so each point costs one matrix product.

#include <optional>

#include "math/matrix_math.hpp"
#include "render/camera_view.hpp"
#include "render/pane_layout.hpp"
#include "render/raster.hpp"

namespace rz::render {

// Camera depth below which the perspective pane shows nothing.
inline constexpr double kNearLimit = 500.0;

struct ScreenSegment {
    ScreenPoint a;
    ScreenPoint b;
};

class PaneProjector {
  public:
    PaneProjector() = default;
    PaneProjector(const Pane& pane, const CameraView& camera);

    bool perspective() const { return perspective_; }

    // Points mapped from now on are first placed by `placement`.
    void place(const Mat4& placement) { combined_ = multiply(placement, toPane_); }
    // Screen x and y in an orthographic pane; camera-space x, y and depth in the perspective
    // pane.
    Vec3d map(const Vec3& p) const { return transformPoint(widen(p), combined_); }
    Vec3d map(const Vec3d& p) const { return transformPoint(p, combined_); }

    // The screen position of a mapped point; nothing behind the near limit.
    std::optional<ScreenPoint> screen(const Vec3d& mapped) const;
    // The visible part of the segment between two mapped points; nothing when none is.
    std::optional<ScreenSegment> segment(const Vec3d& a, const Vec3d& b) const;

  private:
    ScreenPoint project(const Vec3d& cam) const;

    Mat4 toPane_ = kIdentity;
    Mat4 combined_ = kIdentity;
    bool perspective_ = false;
    CameraView camera_;
    double scale_ = 0.0;
    double left_ = 0.0;
    double top_ = 0.0;
};

// Screen coordinates to whole pixels (the pixel that holds the point). A segment reaching
// beyond a square far larger than any image is cut to it on its own line first, so its
// direction is kept and the conversion stays defined; nothing for coordinates that are not
// numbers.
struct PixelSegment {
    int x0 = 0;
    int y0 = 0;
    int x1 = 0;
    int y1 = 0;
};
std::optional<PixelSegment> toPixels(const ScreenSegment& s);

// The visible part of a segment, drawn clipped to `clip`, its end pixel left out.
struct Pen {
    Rgb colour;
    RasterOp op = RasterOp::Copy;
};
void drawSegment(Raster& raster, const PaneProjector& projector, const Vec3d& a, const Vec3d& b,
                 const Pen& pen, const Rect& clip);

}  // namespace rz::render
