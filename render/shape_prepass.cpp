#include "render/shape_prepass.hpp"

#include <algorithm>
#include <atomic>
#include <system_error>
#include <thread>

#include "db/settings.hpp"
#include "geometry/block_transform.hpp"
#include "geometry/expand_shape.hpp"
#include "geometry/expanded_shape.hpp"
#include "math/vec_math.hpp"
#include "render/draw_values.hpp"
#include "render/render_messages.hpp"
#include "render/render_pass.hpp"
#include "render/render_screen.hpp"

namespace rz::render {
namespace {

double linearDeterminant(const Mat4& m) {
    const auto a = [&](int r, int c) { return at(m, r, c); };
    return a(0, 0) * (a(1, 1) * a(2, 2) - a(1, 2) * a(2, 1)) -
           a(0, 1) * (a(1, 0) * a(2, 2) - a(1, 2) * a(2, 0)) +
           a(0, 2) * (a(1, 0) * a(2, 1) - a(1, 1) * a(2, 0));
}

// The placement of shape i as the matrix state composes it; false after its message.
bool placeShape(db::Database& db, platform::MessageService& msg, int i, Mat4& placement) {
    if (geometry::beginShapePlacement(db, msg, i) != script::kOk) return false;
    placement = db.geometry.current;
    return geometry::endShapePlacement(db, msg) == script::kOk;
}

// The screen bounds of the shape's box, placed and seen by the camera; the parts behind the
// near plane are cut off one unit in front of it.
void boxBounds(PreparedShape& ps, const RenderState& st, const db::Shape& s) {
    const Vec3& lo = s.bbmin;
    const Vec3& hi = s.bbmax;
    if (lo[0] > hi[0] || lo[1] > hi[1] || lo[2] > hi[2]) {
        ps.cull = BoxCull::Never;
        return;
    }
    std::array<Vec3d, 8> corner{};
    for (int bits = 0; bits < 8; ++bits)
        corner[bits] = transformPoint(Vec3d{(bits & 1) ? hi[0] : lo[0], (bits & 2) ? hi[1] : lo[1],
                                            (bits & 4) ? hi[2] : lo[2]},
                                      ps.frame.toCamera);
    const double nearPlane = st.screen.nearPlane;
    const double scale = st.screen.halfWidth;
    double x0 = 1e300;
    double y0 = 1e300;
    double x1 = -1e300;
    double y1 = -1e300;
    bool any = false;
    const auto take = [&](const Vec3d& c) {
        const double k = perspectiveFactor(st.view, c[2]);
        const double x = (c[0] * k + 1.0) * scale;
        const double y = (0.75 - c[1] * k) * scale;
        x0 = std::min(x0, x);
        x1 = std::max(x1, x);
        y0 = std::min(y0, y);
        y1 = std::max(y1, y);
        any = true;
    };
    for (const Vec3d& c : corner)
        if (c[2] >= nearPlane) take(c);
    for (int bits = 0; bits < 8; ++bits) {
        for (int axis = 1; axis < 8; axis <<= 1) {
            if (bits & axis) continue;
            const Vec3d& a = corner[bits];
            const Vec3d& b = corner[bits | axis];
            if ((a[2] < nearPlane) == (b[2] < nearPlane)) continue;
            const double clipAt = nearPlane + 1.0;
            const double f = (clipAt - a[2]) / (b[2] - a[2]);
            take(a + (b - a) * f);
        }
    }
    ps.cull = any ? BoxCull::Bounds : BoxCull::Always;
    ps.x0 = x0;
    ps.y0 = y0;
    ps.x1 = x1;
    ps.y1 = y1;
}

bool reachesAnyTile(const PreparedShape& ps, const Screen& screen) {
    for (int t = 0; t < screen.tileCount(); ++t)
        if (!ps.missesTile(tileOf(screen, t))) return true;
    return false;
}

// The stores at least double when they grow, so that a render grows them a few times at most,
// and later renders not at all.
template <class T>
void makeRoom(std::vector<T>& store, std::size_t needed) {
    if (store.size() < needed) store.resize(std::max(needed, 2 * store.size()));
}

// Vertices split into runs of at most this many, so that threads share a big shape too.
constexpr std::size_t kRunVertices = 2048;

// The model vertices `axes` of shape `shape` copied to `used` and queued for placing.
void gatherVertices(ShapePrepass& pass, std::size_t shape, std::span<const db::Axis> axes,
                    std::size_t used) {
    makeRoom(pass.axes, used + axes.size());
    makeRoom(pass.vertices, used + axes.size());
    std::copy(axes.begin(), axes.end(), pass.axes.begin() + static_cast<std::ptrdiff_t>(used));
    for (std::size_t k = 0; k < axes.size(); k += kRunVertices) {
        makeRoom(pass.runs, pass.runCount + 1);
        pass.runs[pass.runCount++] = {shape, used + k, std::min(kRunVertices, axes.size() - k)};
    }
}

void placeGrid(ShapePrepass& pass, PreparedShape& ps, std::size_t shape,
               std::span<const db::Axis> axes, int nu, int nv, std::size_t& used) {
    if (nu < 2 || nv < 2) return;
    const std::size_t count = static_cast<std::size_t>(nu) * nv;
    gatherVertices(pass, shape, axes.first(count), used);
    ps.geometry = ShapeGeometry::Grid;
    ps.first = used;
    ps.nu = nu;
    ps.nv = nv;
    used += count;
}

// The shape's own axes placed once; its faces mostly name them.
void placeMesh(ShapePrepass& pass, PreparedShape& ps, std::size_t shape, const db::Database& db,
               const db::Shape& s, std::int32_t axisCount, std::size_t& used) {
    const std::int64_t inUse =
        std::min<std::int64_t>(std::max(axisCount, 0), static_cast<std::int64_t>(db.axes.size()));
    const std::int64_t first = std::min<std::int64_t>(s.axisId, inUse);
    const std::int64_t end = std::min<std::int64_t>(first + s.axisTotal, inUse);
    const std::size_t count = static_cast<std::size_t>(end - first);
    gatherVertices(
        pass, shape,
        std::span<const db::Axis>(db.axes).subspan(static_cast<std::size_t>(first), count), used);
    ps.geometry = ShapeGeometry::Mesh;
    ps.first = used;
    ps.axisFirst = static_cast<std::int32_t>(first);
    ps.axisTotal = static_cast<std::int32_t>(count);
    used += count;
}

void prepareShape(ShapePrepass& pass, std::size_t shape, const RenderState& st, db::Database& db,
                  platform::MessageService& msg, int i, const PrepassScope& scope,
                  std::size_t& used) {
    PreparedShape& ps = pass.shapes[shape];
    const db::Shape& s = db.shapes[i];
    ps.shape = &s;
    ps.frame.toCamera = multiply(ps.frame.placement, st.view.view);
    boxBounds(ps, st, s);
    if (!reachesAnyTile(ps, st.screen)) return;
    ps.frame.normalMatrix = normalMatrix(ps.frame.placement);
    ps.frame.mirrored = linearDeterminant(ps.frame.placement) < 0.0;
    ps.shading = surfaceShading(db, s, st.drawMode, st.sampleMode);
    ps.smooth = ps.shading->attribute == nullptr || ps.shading->attribute->smooth != 0;
    if (st.drawMode == static_cast<int>(DrawMode::Rapid))
        ps.colouring = Colouring::Lines;
    else if (st.drawMode >= static_cast<int>(DrawMode::Full) && ps.shading->mapped)
        ps.colouring = Colouring::Micro;
    else
        ps.colouring = Colouring::Vertex;
    if (s.kind == db::kShapePolygon) {
        placeMesh(pass, ps, shape, db, s, scope.axisCount, used);
    } else if (s.kind == db::kShapeGrid) {
        const geometry::GridView g = geometry::explicitGrid(db, s);
        placeGrid(pass, ps, shape, g.vertices, g.nu, g.nv, used);
    } else if (geometry::isParametric(s.kind)) {
        ps.expandSaid.first = pass.log.size();
        {
            const geometry::ExpandedShape expanded(db, msg, i);
            if (expanded.status() == script::kOk) {
                const geometry::GridView& g = expanded.grid();
                placeGrid(pass, ps, shape, g.vertices, g.nu, g.nv, used);
            }
        }
        ps.expandSaid.end = pass.log.size();
    }
}

}  // namespace

QuadVertex placeVertex(const RenderState& st, const ShapeFrame& frame, const db::Axis& axis) {
    QuadVertex v;
    v.model = axis.wv;
    v.modelNormal = axis.nv;
    const Vec3d model = widen(axis.wv);
    v.world = narrow(transformPoint(model, frame.placement));
    v.normal = narrow(normalised(transformDirection(widen(axis.nv), frame.normalMatrix)));
    v.camera = narrow(transformPoint(model, frame.toCamera));
    v.u = axis.u;
    v.v = axis.v;
    project(st, v);
    return v;
}

void prepareShapes(ShapePrepass& pass, const RenderState& st, db::Database& db,
                   const platform::MessageService& mainMsg, const PrepassScope& scope) {
    pass.log.clear();
    platform::MessageService msg(pass.log);
    msg.setMessageMode(mainMsg.messageMode());
    msg.setCurrentWindow(mainMsg.currentWindow());
    const std::size_t shapes =
        static_cast<std::size_t>(std::max(scope.endShape - scope.firstShape, 0));
    if (pass.shapes.size() < shapes) pass.shapes.resize(shapes);
    std::size_t used = 0;
    std::size_t kept = 0;
    pass.runCount = 0;
    for (int i = std::max(scope.firstShape, 0); i < scope.endShape; ++i) {
        const db::Shape& s = db.shapes[i];
        PreparedShape& ps = pass.shapes[kept];
        ps = PreparedShape{};
        ps.said.first = pass.log.size();
        if (!st.sampleMode) {
            if (!passesLayerFilter(scope.layerFilter, s.layer)) continue;
            if (s.layer > 1) {
                msg.formatBuffer(msg::kShapeLayer, i, s.layer);
                msg.console(msg.buffer());
                ps.said.end = pass.log.size();
                ++kept;
                continue;
            }
        }
        ps.reached = true;
        ps.placed = placeShape(db, msg, i, ps.frame.placement);
        ps.said.end = pass.log.size();
        if (ps.placed) prepareShape(pass, kept, st, db, msg, i, scope, used);
        ++kept;
    }
    pass.shapes.resize(kept);
}

void placePrepared(ShapePrepass& pass, const RenderState& st, int threads) {
    std::atomic<std::size_t> next{0};
    const auto work = [&] {
        for (std::size_t r = next.fetch_add(1); r < pass.runCount; r = next.fetch_add(1)) {
            const PlacementRun& run = pass.runs[r];
            const ShapeFrame& frame = pass.shapes[run.shape].frame;
            for (std::size_t k = run.first; k < run.first + run.count; ++k)
                pass.vertices[k] = placeVertex(st, frame, pass.axes[k]);
        }
    };
    const std::size_t helpers =
        std::min<std::size_t>(static_cast<std::size_t>(std::max(threads, 1)) - 1,
                              pass.runCount > 0 ? pass.runCount - 1 : 0);
    std::array<std::thread, db::kMaxRenderThreads> pool;
    std::size_t started = 0;
    for (; started < std::min(helpers, pool.size()); ++started) {
        try {
            pool[started] = std::thread(work);
        } catch (const std::system_error&) {
            break;
        }
    }
    work();
    for (std::size_t k = 0; k < started; ++k) pool[k].join();
}

}  // namespace rz::render
