#include "geometry/cursor_marker.hpp"

#include <algorithm>
#include <cmath>

#include "db/capacity.hpp"
#include "geometry/expand_shape.hpp"
#include "geometry/primitive_plan.hpp"
#include "script/tokens.hpp"

namespace rz::geometry {
namespace {

// The cone is as wide as an eighth of the box's smaller side across it.
constexpr double kConeWidth = 1.0 / 8.0;

int appendShape(db::Database& db, const PlannedShape& planned) {
    db::Shape s;
    s.axisId = static_cast<std::uint32_t>(db.axisCount);
    s.axisTotal = static_cast<std::uint32_t>(parameterAxes(planned.kind));
    s.kind = planned.kind;
    const auto put = [&](const Packed& p) {
        db.axes[db.axisCount++] = {{p[0], p[1], p[2]}, {p[3], p[4], p[5]}, p[6], p[7]};
    };
    put(planned.a);
    if (s.axisTotal > 1) put(planned.b);
    db.shapes[db.shapeCount] = s;
    return db.shapeCount++;
}

}  // namespace

CursorMarker::CursorMarker(db::Database& db, platform::MessageService& msg, const Vec3& s,
                           const Vec3& e, int direc)
    : db_(db), axisCount_(db.axisCount), patchCount_(db.patchCount), shapeCount_(db.shapeCount) {
    status_ = build(msg, s, e, direc >= 1 && direc <= 3 ? direc : 1);
    if (status_ != script::kOk) box_ = cone_ = {};
}

CursorMarker::~CursorMarker() {
    db_.axisCount = axisCount_;
    db_.patchCount = patchCount_;
    db_.shapeCount = shapeCount_;
}

script::Result CursorMarker::build(platform::MessageService& msg, const Vec3& s, const Vec3& e,
                                   int direc) {
    const PrimitiveInput in{widen(s), widen(e)};
    const BoxFrame b = BoxFrame::of(in);
    const int a = along(direc);
    const Across x = across(direc);
    const double width = kConeWidth * std::min(b.z[x.first], b.z[x.second]);
    Vec3d radii{};
    radii[x.first] = radii[x.second] = width / 2.0;
    const Vec3d apex = withAxial({}, direc, in.e[a] - in.s[a]);

    // Two parameter records (three axes), then their expansions, which check for themselves.
    if (checkModelSpace(db_, msg, 3, 0, 2) != script::kOk) return script::kFail;
    const int outline = appendShape(db_, boxShape(b.c, b.z));
    const int cone =
        appendShape(db_, revolveShape(in.s, radii, apex, kConeDivisions, direc, kFullTurn, 0));
    box_ = expand(msg, outline);
    if (box_.vertices.empty()) return script::kFail;
    cone_ = expand(msg, cone);
    return cone_.vertices.empty() ? script::kFail : script::kOk;
}

GridView CursorMarker::expand(platform::MessageService& msg, int shape) {
    if (expandShape(db_, msg, shape, ExpandMode::Grid) != script::kOk) return {};
    return explicitGrid(db_, db_.shapes[db_.shapeCount - 1]);
}

}  // namespace rz::geometry
