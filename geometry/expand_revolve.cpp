#include "geometry/expand_kinds.hpp"

#include <cmath>

#include "geometry/sweep.hpp"
#include "script/tokens.hpp"

namespace rz::geometry {
namespace {

// The two components perpendicular to the axis of revolution.
struct Perpendicular {
    int first, second;
    static Perpendicular of(int direc) {
        switch (direc) {
            case 1:
                return {1, 2};
            case 2:
                return {0, 2};
            default:
                return {0, 1};
        }
    }
};

// The wall normal at angle theta: the unit in-plane gradient of the ellipse, tilted along
// the axis by the wall's slope. The tilt follows the height's sign, so a wall whose top
// lies below its bottom still leans away from its narrow end.
struct WallNormal {
    int direc;
    Vec3d gradientRadii;
    Vec3d bottom, top;
    double height;
    bool widening;  // top radii larger than bottom ones in both perpendicular components
    bool straight;  // equal radii: no tilt

    Vec3d at(double theta) const {
        const double c = std::cos(theta);
        const double s = std::sin(theta);
        Vec3d n{};
        switch (direc) {
            case 1:
                n = {0.0, c, s};
                break;
            case 2:
                n = {-c, 0.0, s};
                break;
            default:
                n = {c, s, 0.0};
                break;
        }
        Vec3d r = gradientRadii;
        r[direc - 1] = 1.0;  // there is no gradient along the axis: its radius must not count
        const Vec3d g = normalised(overRadii(n, r));
        double a = 0.0;
        if (!straight) {
            const double d =
                length(ellipseOffset(direc, bottom, theta) - ellipseOffset(direc, top, theta));
            const double l = std::sqrt(height * height + d * d);
            a = l > 0.0 ? d / l : 0.0;
            if (widening) a = -a;
            if (height < 0.0) a = -a;
        }
        return normalised(g + axisUnit(direc) * a);
    }
};

}  // namespace

script::Result expandRevolve(db::Database& db, platform::MessageService& msg,
                             const ExpandJob& job) {
    int direc = 0;
    if (checkDivisions(msg, job.div) != script::kOk) return script::kFail;
    if (readDirection(msg, job.a[7], direc) != script::kOk) return script::kFail;
    Sweep sweep;
    if (makeSweep(msg, job.b[3], job.b[4], job.div, job.source.lrflag != 0, sweep) != script::kOk)
        return script::kFail;

    const Vec3d c{job.a[0], job.a[1], job.a[2]};
    const Vec3d bottom{job.a[3], job.a[4], job.a[5]};
    const Vec3d top{job.b[0], job.b[1], job.b[2]};
    const double height = top[direc - 1];
    const Vec3d topCentre = c + axisUnit(direc) * height;
    const Perpendicular p = Perpendicular::of(direc);
    const bool noBottom = bottom[0] == 0.0 && bottom[1] == 0.0 && bottom[2] == 0.0;
    const WallNormal normal{direc,
                            noBottom ? top : bottom,
                            bottom,
                            top,
                            height,
                            top[p.first] > bottom[p.first] && top[p.second] > bottom[p.second],
                            top[p.first] == bottom[p.first] && top[p.second] == bottom[p.second]};

    const SweepRows rows = sweepRows(job.div, sweep.closed, job.form);
    ExpansionWriter out(db, msg, job.source);
    if (out.reserve(2 * static_cast<std::int64_t>(rows.rows),
                    gridPatchEntries(job.form, 2, rows.rows, rows.wraps)) != script::kOk)
        return script::kFail;
    for (int k = 0; k < rows.rows; ++k) {
        const double theta = sweep.angle(k);
        const double u = sweep.param(k);
        const Vec3d n = normal.at(theta);
        out.vertex(c + ellipseOffset(direc, bottom, theta), n, u, 1.0);
        out.vertex(topCentre + ellipseOffset(direc, top, theta), n, u, 0.0);
    }
    out.gridPatches(job.form, 2, rows.rows, rows.wraps);
    return out.finish(job.form, true);
}

}  // namespace rz::geometry
