#include "render/pane_projection.hpp"

#include <cmath>

namespace rz::render {
namespace {

// Screen coordinates beyond this are cut away before they become integers.
constexpr double kSafeBound = 1.0e9;

// Screen x and y as one affine map: x = (a - left) / unitsH + paneLeft, and the same for y.
Mat4 orthographicMap(const Pane& pane) {
    const ShownAxes axes = shownAxes(pane.mode);
    const WorldWindow& w = pane.world;
    Mat4 m{};
    m[axes.across * 4 + 0] = 1.0 / w.unitsH;
    m[axes.down * 4 + 1] = 1.0 / w.unitsV;
    m[12] = pane.rect.left - w.left / w.unitsH;
    m[13] = pane.rect.top - w.top / w.unitsV;
    m[15] = 1.0;
    return m;
}

bool visible(const Vec3d& cam) {
    return cam[2] >= kNearLimit;
}

// Liang-Barsky on one edge: p the segment's pull against it, q its distance inside.
bool clipEdge(double p, double q, double& t0, double& t1) {
    if (p == 0.0) return q >= 0.0;
    const double r = q / p;
    if (p < 0.0) {
        if (r > t1) return false;
        if (r > t0) t0 = r;
    } else {
        if (r < t0) return false;
        if (r < t1) t1 = r;
    }
    return true;
}

bool finite(const ScreenPoint& p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}

bool inside(const ScreenPoint& p) {
    return std::fabs(p.x) <= kSafeBound && std::fabs(p.y) <= kSafeBound;
}

int pixel(double v) {
    return static_cast<int>(std::floor(v));
}

}  // namespace

PaneProjector::PaneProjector(const Pane& pane, const CameraView& camera)
    : perspective_(pane.mode == DisplayMode::Perspective),
      camera_(camera),
      scale_(pane.rect.width() / 2),
      left_(pane.rect.left),
      top_(pane.rect.top) {
    toPane_ = perspective_ ? camera.view : orthographicMap(pane);
    combined_ = toPane_;
}

ScreenPoint PaneProjector::project(const Vec3d& cam) const {
    const ScreenPoint s = projectCamera(camera_, cam, scale_);
    return {s.x + left_, s.y + top_};
}

std::optional<ScreenPoint> PaneProjector::screen(const Vec3d& mapped) const {
    if (!perspective_) return ScreenPoint{mapped[0], mapped[1]};
    if (!visible(mapped)) return std::nullopt;
    return project(mapped);
}

std::optional<ScreenSegment> PaneProjector::segment(const Vec3d& a, const Vec3d& b) const {
    if (!perspective_) return ScreenSegment{{a[0], a[1]}, {b[0], b[1]}};
    const bool aVisible = visible(a);
    const bool bVisible = visible(b);
    if (aVisible && bVisible) return ScreenSegment{project(a), project(b)};
    if (!aVisible && !bVisible) return std::nullopt;
    // Cut where the depth reaches the near limit, on the segment in camera space.
    const double t = (kNearLimit - a[2]) / (b[2] - a[2]);
    Vec3d cut = a + (b - a) * t;
    cut[2] = kNearLimit;
    return aVisible ? ScreenSegment{project(a), project(cut)}
                    : ScreenSegment{project(cut), project(b)};
}

std::optional<PixelSegment> toPixels(const ScreenSegment& s) {
    if (!finite(s.a) || !finite(s.b)) return std::nullopt;
    ScreenPoint a = s.a;
    ScreenPoint b = s.b;
    if (!inside(a) || !inside(b)) {
        const double dx = b.x - a.x;
        const double dy = b.y - a.y;
        double t0 = 0.0;
        double t1 = 1.0;
        if (!clipEdge(-dx, a.x + kSafeBound, t0, t1) || !clipEdge(dx, kSafeBound - a.x, t0, t1) ||
            !clipEdge(-dy, a.y + kSafeBound, t0, t1) || !clipEdge(dy, kSafeBound - a.y, t0, t1))
            return std::nullopt;
        b = {s.a.x + dx * t1, s.a.y + dy * t1};
        a = {s.a.x + dx * t0, s.a.y + dy * t0};
    }
    return PixelSegment{pixel(a.x), pixel(a.y), pixel(b.x), pixel(b.y)};
}

void drawSegment(Raster& raster, const PaneProjector& projector, const Vec3d& a, const Vec3d& b,
                 const Pen& pen, const Rect& clip) {
    const std::optional<ScreenSegment> s = projector.segment(a, b);
    if (!s) return;
    const std::optional<PixelSegment> p = toPixels(*s);
    if (!p) return;
    raster.line(p->x0, p->y0, p->x1, p->y1, pen.colour, pen.op, clip);
}

}  // namespace rz::render
