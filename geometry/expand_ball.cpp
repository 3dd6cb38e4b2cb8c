#include "geometry/expand_kinds.hpp"

#include <array>
#include <cmath>
#include <numbers>

#include "geometry/sweep.hpp"
#include "script/tokens.hpp"

namespace rz::geometry {
namespace {

// Every row of a ball runs through the same latitudes, so their cosines and sines are worked
// out once for division counts up to this (the renderer expands every ball of a scene on each
// render); finer balls work them out per vertex.
constexpr int kLatitudeTable = 256;

}  // namespace

// Rows follow the longitude, the vertices of a row run along the latitude from the south
// pole side (latitude 0 lies at -90 degrees of elevation).
script::Result expandBall(db::Database& db, platform::MessageService& msg, const ExpandJob& job) {
    const int n = job.div;
    if (checkDivisions(msg, n) != script::kOk) return script::kFail;
    Sweep latitude;
    Sweep longitude;
    if (makeSweep(msg, job.b[0], job.b[1], n, false, latitude) != script::kOk) return script::kFail;
    if (makeSweep(msg, job.b[3], job.b[4], n, job.source.lrflag != 0, longitude) != script::kOk)
        return script::kFail;

    const Vec3d c{job.a[0], job.a[1], job.a[2]};
    const Vec3d r{job.a[3], job.a[4], job.a[5]};
    const double quarter = std::numbers::pi / 2.0;
    const SweepRows rows = sweepRows(n, longitude.closed, job.form);
    const std::int64_t nu = static_cast<std::int64_t>(n) + 1;

    ExpansionWriter out(db, msg, job.source);
    if (out.reserve(nu * rows.rows, gridPatchEntries(job.form, nu, rows.rows, rows.wraps)) !=
        script::kOk)
        return script::kFail;
    const auto latitudeAt = [&](int m) {
        const double psi = latitude.angle(m) - quarter;
        return std::array<double, 2>{std::cos(psi), std::sin(psi)};
    };
    std::array<std::array<double, 2>, kLatitudeTable> table;
    const bool tabled = n < kLatitudeTable;
    for (int m = 0; tabled && m <= n; ++m) table[m] = latitudeAt(m);
    for (int k = 0; k < rows.rows; ++k) {
        const double lambda = longitude.angle(k);
        const double cl = std::cos(lambda);
        const double sl = std::sin(lambda);
        const double v = longitude.param(k);
        for (int m = 0; m <= n; ++m) {
            const auto [cp, sp] = tabled ? table[m] : latitudeAt(m);
            const Vec3d p{c[0] - cp * r[0] * cl, c[1] + sp * r[1], c[2] + cp * r[2] * sl};
            const Vec3d normal = normalised(overRadii({-cp * cl, sp, cp * sl}, r));
            out.vertex(p, normal, static_cast<double>(m) / n, v);
        }
    }
    out.gridPatches(job.form, n + 1, rows.rows, rows.wraps);
    return out.finish(job.form, true);
}

}  // namespace rz::geometry
