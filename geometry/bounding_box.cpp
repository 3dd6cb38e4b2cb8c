#include "geometry/bounding_box.hpp"

#include <algorithm>

#include "geometry/affine_slots.hpp"
#include "geometry/expand_shape.hpp"
#include "geometry/expanded_shape.hpp"
#include "geometry/shape_transform.hpp"
#include "math/matrix_math.hpp"
#include "script/tokens.hpp"

namespace rz::geometry {

script::Result shapeBox(db::Database& db, platform::MessageService& msg, int shape) {
    if (shape < 0 || shape >= db.shapeCount) {
        msg.internalError();
        return script::kFail;
    }
    if (!isParametric(db.shapes[shape].kind)) {
        boxFromAxes(db, db.shapes[shape]);
        return script::kOk;
    }
    Vec3 lo{kShapeBoxSentinel, kShapeBoxSentinel, kShapeBoxSentinel};
    Vec3 hi{-kShapeBoxSentinel, -kShapeBoxSentinel, -kShapeBoxSentinel};
    {
        const ExpandedShape expanded(db, msg, shape);
        if (expanded.status() != script::kOk) return script::kFail;
        for (const db::Axis& a : expanded.grid().vertices) {
            const Vec3 p = transformPoint(a.wv, db.geometry.current);
            for (int c = 0; c < 3; ++c) {
                lo[c] = std::min(lo[c], p[c]);
                hi[c] = std::max(hi[c], p[c]);
            }
        }
    }
    db.shapes[shape].bbmin = lo;
    db.shapes[shape].bbmax = hi;
    return script::kOk;
}

script::Result updateBlockBox(db::Database& db, platform::MessageService& msg, int block) {
    if (block < 0 || block >= static_cast<int>(db.blocks.size())) {
        msg.internalError();
        return script::kFail;
    }
    db::Block& b = db.blocks[block];
    for (int i = 0; i < db.shapeCount; ++i) {
        const db::Shape& s = db.shapes[i];
        if (s.shapeId != static_cast<std::uint32_t>(block)) continue;
        Mat4 m = db.geometry.current;
        if (s.matrixId != 0) {
            Mat4 own;
            if (!affineMatrix(db, msg, s.matrixId, own)) return script::kFail;
            m = multiply(own, m);
        }
        const Vec3 lo = transformPoint(s.bbmin, m);
        const Vec3 hi = transformPoint(s.bbmax, m);
        for (int c = 0; c < 3; ++c) {
            b.xyzmin[c] = std::min(b.xyzmin[c], lo[c]);
            b.xyzmax[c] = std::max(b.xyzmax[c], hi[c]);
        }
    }
    return script::kOk;
}

}  // namespace rz::geometry
