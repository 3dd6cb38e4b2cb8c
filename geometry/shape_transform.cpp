#include "geometry/shape_transform.hpp"

#include <algorithm>

#include "geometry/affine_slots.hpp"
#include "math/matrix_math.hpp"
#include "script/tokens.hpp"

namespace rz::geometry {

std::span<db::Axis> shapeAxes(db::Database& db, const db::Shape& s) {
    const std::size_t size = db.axes.size();
    const std::size_t first = std::min<std::size_t>(s.axisId, size);
    const std::size_t count = std::min<std::size_t>(s.axisTotal, size - first);
    return {db.axes.data() + first, count};
}

void boxFromAxes(db::Database& db, db::Shape& s) {
    Vec3 lo{kShapeBoxSentinel, kShapeBoxSentinel, kShapeBoxSentinel};
    Vec3 hi{-kShapeBoxSentinel, -kShapeBoxSentinel, -kShapeBoxSentinel};
    for (const db::Axis& a : shapeAxes(db, s))
        for (int c = 0; c < 3; ++c) {
            lo[c] = std::min(lo[c], a.wv[c]);
            hi[c] = std::max(hi[c], a.wv[c]);
        }
    s.bbmin = lo;
    s.bbmax = hi;
}

void flipFacing(db::Shape& s, int mirrorCount) {
    if (s.lrflag < 3 && mirrorCount > 0)
        s.lrflag = static_cast<std::uint8_t>((s.lrflag + mirrorCount) % 2);
}

void transformShapeAxes(db::Database& db, db::Shape& s, const Mat4& m) {
    // k = (L0 / L1)^2 per axis, L0 the box edge along that axis, L1 its transformed length.
    const Vec3d lo = widen(s.bbmin);
    const Vec3d hi = widen(s.bbmax);
    const Vec3d origin = transformPoint(lo, m);
    Vec3d k{1.0, 1.0, 1.0};
    for (int c = 0; c < 3; ++c) {
        Vec3d end = lo;
        end[c] = hi[c];
        const double before = length(end - lo);
        const double after = length(transformPoint(end, m) - origin);
        if (after != 0.0) k[c] = (before / after) * (before / after);
    }
    for (db::Axis& a : shapeAxes(db, s)) {
        a.wv = transformPoint(a.wv, m);
        // The translation cancels out of T(n) - T(0); leaving it out keeps a far-away
        // placement from eating the normal's precision.
        const Vec3d n = transformDirection(widen(a.nv), m);
        a.nv = narrow(normalised({n[0] * k[0], n[1] * k[1], n[2] * k[2]}));
    }
    boxFromAxes(db, s);
}

script::Result bakeShape(db::Database& db, platform::MessageService& msg, int shape,
                         const Mat4& m) {
    db::Shape& s = db.shapes[shape];
    boxFromAxes(db, s);
    flipFacing(s, db.geometry.mirrorCount);
    transformShapeAxes(db, s, m);
    int slot = 0;
    if (newAffineSlot(db, msg, slot) != script::kOk) return script::kFail;
    s.matrixId = static_cast<std::uint16_t>(slot);
    return script::kOk;
}

}  // namespace rz::geometry
