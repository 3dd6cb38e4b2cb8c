#include "geometry/expanded_shape.hpp"

#include <algorithm>

#include "geometry/expand_shape.hpp"
#include "script/tokens.hpp"

namespace rz::geometry {

GridView explicitGrid(const db::Database& db, const db::Shape& s) {
    const std::int64_t header = s.patchId;
    if (s.kind != db::kShapeGrid || s.patchTotal < 3 ||
        header + 3 > static_cast<std::int64_t>(db.patches.size()) || db.patches[header] != -2)
        return {};
    const std::int64_t nu = db.patches[header + 1];
    const std::int64_t nv = db.patches[header + 2];
    const std::int64_t available =
        std::min<std::int64_t>(s.axisTotal, static_cast<std::int64_t>(db.axes.size()) -
                                                std::min<std::int64_t>(s.axisId, db.axes.size()));
    if (nu <= 0 || nv <= 0 || nu * nv > available) return {};
    return {std::span<const db::Axis>(db.axes.data() + s.axisId, nu * nv), static_cast<int>(nu),
            static_cast<int>(nv)};
}

ExpandedShape::ExpandedShape(db::Database& db, platform::MessageService& msg, int shape,
                             Detail detail)
    : db_(db),
      axisCount_(db.axisCount),
      patchCount_(db.patchCount),
      shapeCount_(db.shapeCount),
      status_(script::kOk) {
    if (shape < 0 || shape >= db.shapeCount) {
        msg.internalError();
        status_ = script::kFail;
        return;
    }
    if (!isParametric(db.shapes[shape].kind)) {
        grid_ = explicitGrid(db, db.shapes[shape]);
        return;
    }
    status_ = detail == Detail::Full ? expandShape(db, msg, shape, ExpandMode::Grid)
                                     : expandShapeCoarse(db, msg, shape, ExpandMode::Grid);
    if (status_ == script::kOk && db.shapeCount > shapeCount_)
        grid_ = explicitGrid(db, db.shapes[db.shapeCount - 1]);
}

ExpandedShape::~ExpandedShape() {
    db_.axisCount = axisCount_;
    db_.patchCount = patchCount_;
    db_.shapeCount = shapeCount_;
}

}  // namespace rz::geometry
