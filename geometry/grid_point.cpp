#include "geometry/grid_point.hpp"

#include <array>
#include <cmath>
#include <limits>

namespace rz::geometry {
namespace {

// How the search walks a grid plane: rows along the outer axis from its minimum, points
// along the inner axis from its minimum or, descending, from its maximum.
struct PlaneWalk {
    int outer;
    int inner;
    bool innerDescending;
};

constexpr std::array<PlaneWalk, 3> kWalks{{
    {0, 1, false},  // XY: from (min x, min y), rows along y
    {1, 2, false},  // ZY: from (min y, min z), rows along z
    {0, 2, true},   // XZ: from (min x, max z), rows along -z
}};

double snapped(double v, double centre, double step) {
    return centre + std::round((v - centre) / step) * step;
}

}  // namespace

std::array<bool, 3> paneCoordinates(int displayMode) {
    switch (displayMode) {
        case kXYPane:
            return {true, true, false};
        case kYZPane:
            return {false, true, true};
        case kXZPane:
            return {true, false, true};
        default:
            return {true, true, true};
    }
}

std::array<bool, 3> gridPlaneCoordinates(int plane) {
    return paneCoordinates(plane + kXYPane - 1);
}

Vec3 orthoGridPoint(const Vec3& cursorCentre, int displayMode, const Vec3& world,
                    const GridSettings& grid) {
    const bool snap = grid.snap && std::isfinite(grid.step) && grid.step > 0.0;
    const std::array<bool, 3> inPlane = paneCoordinates(displayMode);
    Vec3 p = cursorCentre;
    for (int c = 0; c < 3; ++c) {
        if (!inPlane[c]) continue;
        p[c] = snap ? static_cast<float>(snapped(world[c], grid.center[c], grid.step)) : world[c];
    }
    return p;
}

std::optional<Vec3> perspectiveGridPoint(const GridSettings& grid, const PaneProjector& projector,
                                         const db::ScreenPoint& mouse) {
    if (grid.plane < 1 || grid.plane > 3) return std::nullopt;
    if (!std::isfinite(grid.size) || !std::isfinite(grid.step) || grid.step <= 0.0)
        return std::nullopt;
    const double divisions = std::trunc(2.0 * grid.size / grid.step);
    if (divisions < 0.0 || divisions > kMaxGridDivisions) return std::nullopt;
    const int n = static_cast<int>(divisions);
    const double spacing = n > 0 ? 2.0 * grid.size / n : 0.0;
    const PlaneWalk walk = kWalks[grid.plane - 1];

    std::optional<Vec3> best;
    double bestDistance = std::numeric_limits<double>::infinity();
    Vec3 p = grid.center;
    for (int i = 0; i <= n; ++i) {
        p[walk.outer] = static_cast<float>(static_cast<double>(grid.center[walk.outer]) -
                                           grid.size + i * spacing);
        for (int j = 0; j <= n; ++j) {
            const double offset =
                walk.innerDescending ? grid.size - j * spacing : -grid.size + j * spacing;
            p[walk.inner] = static_cast<float>(grid.center[walk.inner] + offset);
            const std::optional<db::ScreenPoint> s = projector.project(p);
            if (!s) continue;
            const double distance = std::abs(s->x - mouse.x) + std::abs(s->y - mouse.y);
            if (distance < bestDistance) {
                bestDistance = distance;
                best = p;
            }
        }
    }
    return best;
}

}  // namespace rz::geometry
