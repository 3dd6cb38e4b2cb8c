#include "geometry/expand_kinds.hpp"

#include "geometry/sweep.hpp"
#include "geometry/truncate.hpp"
#include "script/tokens.hpp"

namespace rz::geometry {
namespace {

// A disc sector is a ring sector whose inner rim has shrunk to the centre: per step one
// inner point (v 1) and one rim point (v 0), both with the facing normal along the axis.
script::Result expandFlat(db::Database& db, platform::MessageService& msg, const ExpandJob& job,
                          double innerRatio) {
    int direc = 0;
    if (checkDivisions(msg, job.div) != script::kOk) return script::kFail;
    if (readDirection(msg, job.a[7], direc) != script::kOk) return script::kFail;
    Sweep sweep;
    if (makeSweep(msg, job.b[3], job.b[4], job.div, job.source.lrflag != 0, sweep) != script::kOk)
        return script::kFail;

    const Vec3d c{job.a[0], job.a[1], job.a[2]};
    const Vec3d outer{job.a[3], job.a[4], job.a[5]};
    const Vec3d inner = outer * innerRatio;
    const bool facesBack = truncateToInt(job.b[7]) != 0;
    const Vec3d normal = axisUnit(direc) * (facesBack ? -1.0 : 1.0);

    const SweepRows rows = sweepRows(job.div, sweep.closed, job.form);
    ExpansionWriter out(db, msg, job.source);
    if (out.reserve(2 * static_cast<std::int64_t>(rows.rows),
                    gridPatchEntries(job.form, 2, rows.rows, rows.wraps)) != script::kOk)
        return script::kFail;
    for (int k = 0; k < rows.rows; ++k) {
        const double theta = sweep.angle(k);
        const double u = sweep.param(k);
        const Vec3d in = c + ellipseOffset(direc, inner, theta);
        const Vec3d rim = c + ellipseOffset(direc, outer, theta);
        if (facesBack) {
            out.vertex(in, normal, u, 1.0);
            out.vertex(rim, normal, u, 0.0);
        } else {
            out.vertex(rim, normal, u, 0.0);
            out.vertex(in, normal, u, 1.0);
        }
    }
    out.gridPatches(job.form, 2, rows.rows, rows.wraps);
    return out.finish(job.form, true);
}

}  // namespace

script::Result expandDisc(db::Database& db, platform::MessageService& msg, const ExpandJob& job) {
    return expandFlat(db, msg, job, 0.0);
}

script::Result expandRing(db::Database& db, platform::MessageService& msg, const ExpandJob& job) {
    return expandFlat(db, msg, job, job.b[6]);
}

}  // namespace rz::geometry
