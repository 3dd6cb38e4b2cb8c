#include "geometry/bounding_box.hpp"

#include <algorithm>
#include <span>

#include "geometry/affine_slots.hpp"
#include "geometry/block_transform.hpp"
#include "geometry/box_cursor.hpp"
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
        // A shape without vertices keeps its box at the sentinels, which mean nothing as
        // corners.
        if (s.bbmin[0] > s.bbmax[0] || s.bbmin[1] > s.bbmax[1] || s.bbmin[2] > s.bbmax[2]) continue;
        Mat4 m = db.geometry.current;
        if (s.matrixId != 0) {
            Mat4 own;
            if (!affineMatrix(db, msg, s.matrixId, own)) return script::kFail;
            m = multiply(own, m);
        }
        // Every corner of the shape's box: a mirrored or turned box has its extremes at
        // other corners than the transformed min and max.
        for (int k = 0; k < db::kCursorCorners; ++k) {
            const Vec3 p = transformPoint(cursorCorner(s.bbmin, s.bbmax, k), m);
            for (int c = 0; c < 3; ++c) {
                b.xyzmin[c] = std::min(b.xyzmin[c], p[c]);
                b.xyzmax[c] = std::max(b.xyzmax[c], p[c]);
            }
        }
    }
    return script::kOk;
}

script::Result generateShapeBoxes(db::Database& db, platform::MessageService& msg) {
    const int shapes = std::min(db.shapeCount, static_cast<int>(db.shapes.size()));
    for (int i = 0; i < shapes; ++i)
        if (shapeBox(db, msg, i) != script::kOk) return script::kFail;
    return script::kOk;
}

script::Result generateBlockBoxes(db::Database& db, platform::MessageService& msg) {
    const int blocks = std::min(db.blockCount, static_cast<int>(db.blocks.size()));
    for (int b = 0; b < blocks; ++b) {
        db.blocks[b].xyzmin.fill(kBlockBoxSentinel);
        db.blocks[b].xyzmax.fill(-kBlockBoxSentinel);
    }
    for (int b = 0; b < blocks; ++b)
        if (updateBlockBox(db, msg, b) != script::kOk) return script::kFail;
    return script::kOk;
}

void resetAbox(db::BoxCursorState& cursor, float sentinel) {
    cursor.aboxMin.fill(sentinel);
    cursor.aboxMax.fill(-sentinel);
}

namespace {

void widenAbox(db::BoxCursorState& cursor, const Vec3& lo, const Vec3& hi) {
    for (int c = 0; c < 3; ++c) {
        cursor.aboxMin[c] = std::min(cursor.aboxMin[c], lo[c]);
        cursor.aboxMax[c] = std::max(cursor.aboxMax[c], hi[c]);
    }
}

// Widens the abox by the vertices through the current matrix.
void foldPlaced(db::Database& db, std::span<const db::Axis> vertices) {
    for (const db::Axis& a : vertices) {
        const Vec3 p = transformPoint(a.wv, db.geometry.current);
        widenAbox(db.boxCursor, p, p);
    }
}

}  // namespace

script::Result shapeWorldBox(db::Database& db, platform::MessageService& msg, int shape) {
    if (beginShapePlacement(db, msg, shape) != script::kOk) return script::kFail;
    script::Result status = script::kOk;
    if (isParametric(db.shapes[shape].kind)) {
        const ExpandedShape expanded(db, msg, shape);
        status = expanded.status();
        if (status == script::kOk) foldPlaced(db, expanded.grid().vertices);
    } else {
        // Explicit vertices are placed like parametric ones: the abox is where the views
        // draw the shape, and a block moved by its transform must take its box along.
        foldPlaced(db, shapeAxes(db, db.shapes[shape]));
    }
    if (endShapePlacement(db, msg) != script::kOk) return script::kFail;
    return status;
}

script::Result generateAbox(db::Database& db, platform::MessageService& msg, int layerFilter) {
    resetAbox(db.boxCursor);
    const int shapes = std::min(db.shapeCount, static_cast<int>(db.shapes.size()));
    for (int i = 0; i < shapes; ++i) {
        if (!inLayerFilter(db.shapes[i].layer, layerFilter)) continue;
        if (shapeWorldBox(db, msg, i) != script::kOk) return script::kFail;
    }
    return script::kOk;
}

void aboxOfActiveBlocks(db::Database& db) {
    resetAbox(db.boxCursor, kBlockBoxSentinel);
    const int blocks = std::min(db.blockCount, static_cast<int>(db.blocks.size()));
    for (int b = 0; b < blocks; ++b)
        if (db.blocks[b].layer == 1)
            widenAbox(db.boxCursor, db.blocks[b].xyzmin, db.blocks[b].xyzmax);
}

}  // namespace rz::geometry
