#include "geometry/expand_kinds.hpp"

#include "geometry/sweep.hpp"
#include "script/tokens.hpp"

namespace rz::geometry {
namespace {

// Corners P0..P3 of a four-corner face lie as a 2 x 2 grid: P0 and P3 are opposite, and
// the face is bounded by P0, P1, P3, P2 (the polygon form's face order). Corner normals
// walk that boundary, so every corner of a flat face gets the same normal.
struct Corners {
    std::array<Vec3d, 4> p;  // P0..P3 as stored

    static Corners of(const ExpandJob& job) {
        return {{Vec3d{job.a[0], job.a[1], job.a[2]}, Vec3d{job.a[3], job.a[4], job.a[5]},
                 Vec3d{job.b[0], job.b[1], job.b[2]}, Vec3d{job.b[3], job.b[4], job.b[5]}}};
    }

    // normalise((P - Q) x (R - P)) with Q, R the boundary neighbours of corner `stored`;
    // a neighbour that coincides with P is passed over for the next one.
    Vec3d normal(int stored) const {
        // Boundary place -> stored corner; the swap of the last two is its own inverse, so
        // the same table gives the place of a stored corner.
        static constexpr std::array<int, 4> kBoundary{0, 1, 3, 2};
        const int at = kBoundary[stored];
        const auto corner = [&](int place) { return p[kBoundary[(place + 4) % 4]]; };
        const Vec3d& here = p[stored];
        int before = at - 1;
        int after = at + 1;
        if (corner(before) == here) --before;
        if (corner(after) == here) ++after;
        return normalised(cross(here - corner(before), corner(after) - here));
    }
};

}  // namespace

script::Result expandQuad(db::Database& db, platform::MessageService& msg, const ExpandJob& job) {
    const Corners q = Corners::of(job);
    static constexpr std::array<std::array<double, 2>, 4> kUv{{{0, 0}, {1, 0}, {0, 1}, {1, 1}}};

    ExpansionWriter out(db, msg, job.source);
    if (out.reserve(4, gridPatchEntries(job.form, 2, 2, false)) != script::kOk)
        return script::kFail;
    const bool reversed = job.source.lrflag != 0;
    for (int k = 0; k < 4; ++k) {
        const int c = reversed ? 3 - k : k;
        out.vertex(q.p[c], q.normal(c), kUv[c][0], kUv[c][1]);
    }
    out.gridPatches(job.form, 2, 2, false);
    return out.finish(job.form, false);
}

script::Result expandGridPlane(db::Database& db, platform::MessageService& msg,
                               const ExpandJob& job) {
    const int n = job.div;
    if (checkDivisions(msg, n) != script::kOk) return script::kFail;
    const Corners q = Corners::of(job);
    const Vec3d normal = q.normal(0);
    const std::int64_t side = static_cast<std::int64_t>(n) + 1;

    ExpansionWriter out(db, msg, job.source);
    if (out.reserve(side * side, gridPatchEntries(job.form, side, side, false)) != script::kOk)
        return script::kFail;
    const bool reversed = job.source.lrflag != 0;
    for (int w = 0; w <= n; ++w) {
        const int j = reversed ? n - w : w;
        const double t = static_cast<double>(j) / n;
        const Vec3d left = q.p[0] + (q.p[1] - q.p[0]) * t;
        const Vec3d right = q.p[2] + (q.p[3] - q.p[2]) * t;
        for (int i = 0; i <= n; ++i) {
            const double s = static_cast<double>(i) / n;
            out.vertex(left + (right - left) * s, normal, s, t);
        }
    }
    out.gridPatches(job.form, n + 1, n + 1, false);
    return out.finish(job.form, false);
}

}  // namespace rz::geometry
