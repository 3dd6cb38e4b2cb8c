#include "render/wire_drawing.hpp"

#include <algorithm>
#include <array>

#include "db/current_records.hpp"
#include "db/face_runs.hpp"
#include "geometry/block_transform.hpp"
#include "geometry/bounding_box.hpp"
#include "geometry/cursor_marker.hpp"
#include "geometry/expanded_shape.hpp"
#include "geometry/truncate.hpp"
#include "render/draw_values.hpp"
#include "render/render_messages.hpp"
#include "render/view_context.hpp"
#include "script/tokens.hpp"

namespace rz::render {
namespace {

using script::kFail;
using script::kOk;

// One drawing: the panes it goes to and the colours.
struct Canvas {
    Raster& raster;
    PaneTargets targets;
    Palette palette;
    std::array<Rect, kMaxPanes> clip{};

    Canvas(Views& views, const CameraView& camera, script::Interp& in, bool perspectiveOnly)
        : raster(views.raster),
          targets(paneTargets(views, camera, perspectiveOnly)),
          palette(readPalette(in)) {
        for (int t = 0; t < targets.count; ++t)
            clip[t] = views.layout.panes[targets.pane[t]].rect.rect();
    }

    Pen pen(const WirePen& p) const { return {palette[static_cast<int>(p.colour)], p.op}; }
    void place(const Mat4& placement) {
        for (int t = 0; t < targets.count; ++t) targets.projector[t].place(placement);
    }
};

// count points at(0) ... at(count - 1), joined in order (and back to the first when closed).
template <class At>
void polyline(Canvas& c, const Pen& pen, int count, At at, bool closed) {
    if (count < 2) return;
    for (int t = 0; t < c.targets.count; ++t) {
        const PaneProjector& p = c.targets.projector[t];
        const Vec3d first = p.map(at(0));
        Vec3d previous = first;
        for (int k = 1; k < count; ++k) {
            const Vec3d next = p.map(at(k));
            drawSegment(c.raster, p, previous, next, pen, c.clip[t]);
            previous = next;
        }
        if (closed) drawSegment(c.raster, p, previous, first, pen, c.clip[t]);
    }
}

// The lines of one direction of a point grid: all of them for dense lines; otherwise the
// first, the middle and the last (the first and the last of two).
template <class Line>
void forEachLine(int n, bool dense, Line line) {
    if (dense) {
        for (int i = 0; i < n; ++i) line(i);
        return;
    }
    if (n >= 1) line(0);
    if (n > 2) line(n / 2);
    if (n >= 2) line(n - 1);
}

void drawGridLines(Canvas& c, const Pen& pen, const geometry::GridView& g, bool dense) {
    const auto& v = g.vertices;
    const std::size_t nu = static_cast<std::size_t>(g.nu);
    forEachLine(g.nv, dense, [&](int j) {
        const std::size_t row = static_cast<std::size_t>(j) * nu;
        polyline(
            c, pen, g.nu, [&](int k) { return v[row + k].wv; }, false);
    });
    forEachLine(g.nu, dense, [&](int i) {
        polyline(
            c, pen, g.nv, [&](int k) { return v[static_cast<std::size_t>(k) * nu + i].wv; }, false);
    });
}

// The faces of a polygon mesh: runs of -n and n absolute axis numbers. A face that names an
// axis not in use, or runs past the shape's entries, is not drawn.
void drawFaces(Canvas& c, const Pen& pen, const db::Database& db, const db::Shape& s) {
    db::forEachFace(
        db, s, db.patchCount, db.axisCount, [&](const std::int32_t* face, std::size_t n) {
            polyline(
                c, pen, static_cast<int>(n), [&](int i) { return db.axes[face[i]].wv; }, true);
        });
}

// The twelve edges of the box lo-hi, nothing for a box still at its empty sentinels. Edges
// that fall on one another in a pane (front and back of a box seen square on) are drawn
// once there, so an XOR drawing shows them.
void drawBox(Canvas& c, const Pen& pen, const Vec3& lo, const Vec3& hi) {
    if (lo[0] > hi[0] || lo[1] > hi[1] || lo[2] > hi[2]) return;
    const auto corner = [&](int bits) {
        return Vec3{(bits & 1) ? hi[0] : lo[0], (bits & 2) ? hi[1] : lo[1],
                    (bits & 4) ? hi[2] : lo[2]};
    };
    for (int t = 0; t < c.targets.count; ++t) {
        const PaneProjector& p = c.targets.projector[t];
        std::array<PixelSegment, 12> drawn{};
        int count = 0;
        for (int bits = 0; bits < 8; ++bits) {
            for (int axis = 1; axis < 8; axis <<= 1) {
                if (bits & axis) continue;
                const std::optional<ScreenSegment> s =
                    p.segment(p.map(corner(bits)), p.map(corner(bits | axis)));
                const std::optional<PixelSegment> px = s ? toPixels(*s) : std::nullopt;
                if (!px) continue;
                const auto same = [&](const PixelSegment& o) {
                    return (o.x0 == px->x0 && o.y0 == px->y0 && o.x1 == px->x1 && o.y1 == px->y1) ||
                           (o.x0 == px->x1 && o.y0 == px->y1 && o.x1 == px->x0 && o.y1 == px->y0);
                };
                if (std::any_of(drawn.begin(), drawn.begin() + count, same)) continue;
                drawn[count++] = *px;
                c.raster.line(px->x0, px->y0, px->x1, px->y1, pen.colour, pen.op, c.clip[t]);
            }
        }
    }
}

// The placement of a shape, as the renderer composes it.
script::Result shapePlacement(db::Database& db, platform::MessageService& msg, int shape,
                              Mat4& out) {
    if (geometry::beginShapePlacement(db, msg, shape) != kOk) return kFail;
    out = db.geometry.current;
    return geometry::endShapePlacement(db, msg);
}

bool passGate(const ShapeGate& gate) {
    return gate.next == nullptr || gate.next(gate.context);
}

script::Result drawShapes(Canvas& c, script::Interp& in, const WireValue& value, int target,
                          const ShapeGate& gate) {
    db::Database& db = db::database(in);
    const bool dense = db.boxCursor.wireDetail;
    const auto detail =
        dense ? geometry::ExpandedShape::Detail::Full : geometry::ExpandedShape::Detail::Coarse;
    const int count = db.shapeCount;
    for (int i = 0; i < count; ++i) {
        const db::Shape& s = db.shapes[i];
        if (!passesLayerFilter(target, s.layer)) continue;
        const std::optional<WirePen> pen = wirePen(value.style, s.layer);
        if (!pen) continue;
        Mat4 placement;
        if (shapePlacement(db, in.msg, i, placement) != kOk) return kFail;
        c.place(placement);
        if (value.kind == WireKind::Bbox) {
            drawBox(c, c.pen(*pen), s.bbmin, s.bbmax);
        } else if (s.kind == db::kShapePolygon) {
            drawFaces(c, c.pen(*pen), db, s);
        } else {
            const geometry::ExpandedShape expanded(db, in.msg, i, detail);
            if (expanded.status() != kOk) return kFail;
            drawGridLines(c, c.pen(*pen), expanded.grid(), dense);
        }
        if (!passGate(gate)) break;
    }
    return kOk;
}

// The blocks' boxes, through the current matrix.
void drawBlockBoxes(Canvas& c, const db::Database& db, const WireValue& value, int target) {
    c.place(db.geometry.current);
    const int count = std::min<int>(db.blockCount, static_cast<int>(db.blocks.size()));
    for (int b = 1; b < count; ++b) {
        const db::Block& block = db.blocks[b];
        if (!passesLayerFilter(target, block.layer)) continue;
        const std::optional<WirePen> pen = wirePen(value.style, block.layer);
        if (pen) drawBox(c, c.pen(*pen), block.xyzmin, block.xyzmax);
    }
}

// G.ABOX: the abox taken over the shapes of the filter, in world coordinates.
script::Result drawAbox(Canvas& c, db::Database& db, platform::MessageService& msg,
                        const WireValue& value, int target) {
    if (geometry::generateAbox(db, msg, target) != kOk) return kFail;
    const std::optional<WirePen> pen = wirePen(value.style, kLayerNormal);
    c.place(kIdentity);
    if (pen) drawBox(c, c.pen(*pen), db.boxCursor.aboxMin, db.boxCursor.aboxMax);
    return kOk;
}

}  // namespace

script::Result drawWireframe(Views& views, script::Interp& in, const WireRequest& request) {
    const std::optional<WireValue> value = wireValue(request.value);
    if (!value) {
        in.msg.errorBox(msg::kBadDrawMode);
        return kFail;
    }
    db::Database& db = db::database(in);
    if (value->regenerateBoxes && value->kind == WireKind::Bbox &&
        geometry::generateShapeBoxes(db, in.msg) != kOk)
        return kFail;
    Canvas canvas(views, currentCamera(in), in, request.perspectiveOnly);
    if (canvas.targets.count == 0) return kOk;
    // Placing shapes moves the rotation centre to each block's centre; the user's stays.
    const Vec3 center = db.geometry.center;
    script::Result result = kOk;
    switch (value->kind) {
        case WireKind::Wire:
        case WireKind::Bbox:
            result = drawShapes(canvas, in, *value, request.target, request.gate);
            break;
        case WireKind::Abox:
            if (value->regenerateBoxes)
                result = drawAbox(canvas, db, in.msg, *value, request.target);
            else
                drawBlockBoxes(canvas, db, *value, request.target);
            break;
        case WireKind::Pbox:
            break;
    }
    db.geometry.center = center;
    return result;
}

void drawCursorMarker(Views& views, script::Interp& in, const Vec3& s, const Vec3& e) {
    db::Database& db = db::database(in);
    const int direc = geometry::truncateToInt(db::scalarVar(in, db::SysVar::Direc));
    const geometry::CursorMarker marker(db, in.msg, s, e, direc);
    if (marker.status() != kOk) return;
    Canvas canvas(views, currentCamera(in), in, false);
    const Pen pen{canvas.palette[static_cast<int>(db::WireColour::Active)], RasterOp::Xor};
    drawGridLines(canvas, pen, marker.box(), true);
    drawGridLines(canvas, pen, marker.cone(), true);
}

}  // namespace rz::render
