#include "geometry/expand_kinds.hpp"

#include "script/tokens.hpp"

namespace rz::geometry {
namespace {

struct BoxCorner {
    bool x1, y1, z1;
    double u;
};

// Round the four side faces; the first eight are also the corners of the polygon form.
constexpr std::array<BoxCorner, 10> kSideStrip{{
    {false, false, false, 0.0},
    {false, true, false, 0.0},
    {false, false, true, 0.25},
    {false, true, true, 0.25},
    {true, false, true, 0.5},
    {true, true, true, 0.5},
    {true, false, false, 0.75},
    {true, true, false, 0.75},
    {false, false, false, 1.0},
    {false, true, false, 1.0},
}};

// The six faces of the polygon form, as offsets into the first eight corners.
constexpr std::array<std::array<int, 4>, 6> kFaces{{
    {0, 1, 3, 2},
    {2, 3, 5, 4},
    {4, 5, 7, 6},
    {6, 7, 1, 0},
    {1, 7, 5, 3},
    {0, 2, 4, 6},
}};

}  // namespace

script::Result expandBox(db::Database& db, platform::MessageService& msg, const ExpandJob& job) {
    const Vec3d c{job.a[0], job.a[1], job.a[2]};
    const Vec3d h = Vec3d{job.a[3], job.a[4], job.a[5]} * 0.5;
    const Vec3d lo = c - h;
    const Vec3d hi = c + h;
    const bool polygon = job.form == Form::Polygon;
    const int corners = polygon ? 8 : static_cast<int>(kSideStrip.size());

    ExpansionWriter out(db, msg, job.source);
    if (out.reserve(corners, polygon ? 5 * static_cast<int>(kFaces.size()) : 3) != script::kOk)
        return script::kFail;
    for (int k = 0; k < corners; ++k) {
        const BoxCorner& q = kSideStrip[k];
        const Vec3d p{q.x1 ? hi[0] : lo[0], q.y1 ? hi[1] : lo[1], q.z1 ? hi[2] : lo[2]};
        out.vertex(p, Vec3d{}, q.u, q.y1 ? 1.0 : 0.0);
    }
    if (polygon) {
        for (const auto& face : kFaces) {
            out.patch(-4);
            for (const int corner : face) out.patch(out.firstAxis() + corner);
        }
    } else {
        out.gridPatches(Form::Grid, 2, 5, false);
    }
    return out.finish(job.form, false);
}

}  // namespace rz::geometry
