// The shapes of one tile: the layer filter, the placement, the box test against the tile,
// and the cutting of polygon meshes and point grids into quadrilaterals.

#include <algorithm>
#include <cmath>

#include "geometry/block_transform.hpp"
#include "geometry/expand_shape.hpp"
#include "geometry/expanded_shape.hpp"
#include "math/vec_math.hpp"
#include "render/draw_values.hpp"
#include "render/render_messages.hpp"
#include "render/render_pass.hpp"

namespace rz::render {
namespace {

constexpr std::int32_t kBarrier = -1;
// Vertices of a ring being cut; the COUNT-STACK holds at most this many.
using Ring = std::array<std::int32_t, kCountStackSize>;

// The inverse transpose of the placement's linear part, which keeps normals at right angles to
// their surface under any scaling.
Mat4 normalMatrixOf(const Mat4& m) {
    const auto a = [&](int r, int c) { return at(m, r, c); };
    const auto cof = [&](int r, int c) {
        const int r1 = (r + 1) % 3;
        const int r2 = (r + 2) % 3;
        const int c1 = (c + 1) % 3;
        const int c2 = (c + 2) % 3;
        return a(r1, c1) * a(r2, c2) - a(r1, c2) * a(r2, c1);
    };
    const double det = a(0, 0) * cof(0, 0) + a(0, 1) * cof(0, 1) + a(0, 2) * cof(0, 2);
    const double scale = det != 0.0 ? 1.0 / det : 1.0;
    Mat4 n = kIdentity;
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) n[r * 4 + c] = cof(r, c) * scale;
    return n;
}

double linearDeterminant(const Mat4& m) {
    const auto a = [&](int r, int c) { return at(m, r, c); };
    return a(0, 0) * (a(1, 1) * a(2, 2) - a(1, 2) * a(2, 1)) -
           a(0, 1) * (a(1, 0) * a(2, 2) - a(1, 2) * a(2, 0)) +
           a(0, 2) * (a(1, 0) * a(2, 1) - a(1, 1) * a(2, 0));
}

// The placement of shape i as the matrix state composes it; false after its message.
bool placeShape(TilePass& p, int i) {
    db::Database& db = p.shared.db;
    const std::lock_guard lock(p.shared.stores);
    if (geometry::beginShapePlacement(db, p.msg, i) != script::kOk) return false;
    p.placement = db.geometry.current;
    return geometry::endShapePlacement(db, p.msg) == script::kOk;
}

// Whether the shape's box, placed and seen by the camera, misses the tile. A box still at its
// empty sentinels says nothing and keeps the shape.
bool boxMissesTile(const TilePass& p, const db::Shape& s) {
    const Vec3& lo = s.bbmin;
    const Vec3& hi = s.bbmax;
    if (lo[0] > hi[0] || lo[1] > hi[1] || lo[2] > hi[2]) return false;
    const RenderState& st = p.shared.state;
    std::array<Vec3d, 8> corner{};
    for (int bits = 0; bits < 8; ++bits)
        corner[bits] = transformPoint(Vec3d{(bits & 1) ? hi[0] : lo[0], (bits & 2) ? hi[1] : lo[1],
                                            (bits & 4) ? hi[2] : lo[2]},
                                      p.toCamera);
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
    if (!any) return true;
    const Tile& t = p.tile;
    return x1 < t.xStart || x0 > t.xEnd + 1 || y1 < t.yStart || y0 > t.yEnd + 1;
}

void quadOf(Quad& q, const QuadVertex& a, const QuadVertex& b, const QuadVertex& c,
            const QuadVertex& d) {
    q.v = {a, b, c, d};
    q.generation = 0;
    q.negated = false;
}

void renderQuad(TilePass& p, const Quad& q) {
    if (pushQuad(p, q)) drainQuads(p);
}

// ---- Polygon meshes ----------------------------------------------------------------------

struct Plane2 {
    int a = 0;
    int b = 1;
};

// The coordinate plane of the polygon's two largest extents.
Plane2 planeOf(const TilePass& p, int n) {
    Vec3 lo = p.work.polygon[0].model;
    Vec3 hi = lo;
    for (int i = 1; i < n; ++i)
        for (int k = 0; k < 3; ++k) {
            lo[k] = std::min(lo[k], p.work.polygon[i].model[k]);
            hi[k] = std::max(hi[k], p.work.polygon[i].model[k]);
        }
    const Vec3 ext{hi[0] - lo[0], hi[1] - lo[1], hi[2] - lo[2]};
    const int smallest = ext[0] <= ext[1] && ext[0] <= ext[2] ? 0 : (ext[1] <= ext[2] ? 1 : 2);
    return {smallest == 0 ? 1 : 0, smallest == 2 ? 1 : 2};
}

struct Point2 {
    double x;
    double y;
};

Point2 at2(const TilePass& p, Plane2 pl, std::int32_t i) {
    const Vec3& m = p.work.polygon[i].model;
    return {m[pl.a], m[pl.b]};
}

double side(Point2 a, Point2 b, Point2 c) {
    return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
}

// Whether the diagonal between ring positions i and j can cut the ring: no edge crosses it and
// its midpoint lies inside (even-odd rule).
bool diagonalFits(const TilePass& p, Plane2 pl, const Ring& ring, int m, int i, int j) {
    const Point2 a = at2(p, pl, ring[i]);
    const Point2 b = at2(p, pl, ring[j]);
    for (int e = 0; e < m; ++e) {
        const int f = (e + 1) % m;
        if (e == i || e == j || f == i || f == j) continue;
        const Point2 c = at2(p, pl, ring[e]);
        const Point2 d = at2(p, pl, ring[f]);
        const double s1 = side(a, b, c);
        const double s2 = side(a, b, d);
        const double s3 = side(c, d, a);
        const double s4 = side(c, d, b);
        if (((s1 <= 0 && s2 >= 0) || (s1 >= 0 && s2 <= 0)) &&
            ((s3 <= 0 && s4 >= 0) || (s3 >= 0 && s4 <= 0)))
            return false;
    }
    const Point2 mp{(a.x + b.x) / 2, (a.y + b.y) / 2};
    bool inside = false;
    for (int e = 0; e < m; ++e) {
        const Point2 c = at2(p, pl, ring[e]);
        const Point2 d = at2(p, pl, ring[(e + 1) % m]);
        if ((c.y > mp.y) != (d.y > mp.y) && mp.x < c.x + (mp.y - c.y) * (d.x - c.x) / (d.y - c.y))
            inside = !inside;
    }
    return inside;
}

bool countOverflow(TilePass& p) {
    p.msg.errorBox(msg::kCountStackFull);
    p.msg.internalError();
    return false;
}

// Pops the ring on top of the COUNT-STACK (its barrier first); false after the message.
bool popRing(TilePass& p, Ring& ring, int& m) {
    auto& stack = p.work.count;
    if (stack.top() != kBarrier) {
        p.msg.console(msg::kBarrierMissing);
        p.msg.internalError();
        return false;
    }
    stack.drop();
    m = 0;
    while (!stack.empty() && stack.top() != kBarrier) ring[m++] = stack.pop();
    if (m == 0) {
        p.msg.errorBox(msg::kCountStackUnderflow);
        p.msg.internalError();
        return false;
    }
    std::reverse(ring.begin(), ring.begin() + m);
    return true;
}

bool pushRing(TilePass& p, const Ring& ring, int m, int skip) {
    auto& stack = p.work.count;
    for (int k = 0; k < m; ++k)
        if (k != skip && !stack.push(ring[k])) return countOverflow(p);
    if (!stack.push(kBarrier)) return countOverflow(p);
    return true;
}

// A face of more than four vertices cut into triangles, each a quadrilateral whose fourth
// vertex repeats the first.
void cutPolygon(TilePass& p, int n) {
    p.work.count.clear();
    Ring ring{};
    for (int k = 0; k < n; ++k) ring[k] = k;
    if (!pushRing(p, ring, n, -1)) return;
    const Plane2 pl = planeOf(p, n);
    const auto& v = p.work.polygon;
    Quad q;
    while (!p.work.count.empty()) {
        int m = 0;
        if (!popRing(p, ring, m)) return;
        if (m < 3) continue;
        if (m == 3) {
            quadOf(q, v[ring[0]], v[ring[1]], v[ring[2]], v[ring[0]]);
            renderQuad(p, q);
            continue;
        }
        int ear = -1;
        for (int k = 0; k < m && ear < 0; ++k)
            if (diagonalFits(p, pl, ring, m, (k + m - 1) % m, (k + 1) % m)) ear = k;
        if (ear < 0) {
            p.msg.console(msg::kIllegalPolygon);
            return;
        }
        const std::int32_t a = ring[(ear + m - 1) % m];
        const std::int32_t c = ring[(ear + 1) % m];
        quadOf(q, v[a], v[ring[ear]], v[c], v[a]);
        renderQuad(p, q);
        if (!pushRing(p, ring, m, ear)) return;
    }
}

void renderFace(TilePass& p, const std::int32_t* face, int n) {
    if (n < 3) return;
    if (n >= static_cast<int>(kCountStackSize)) {
        countOverflow(p);
        return;
    }
    const db::Database& db = p.shared.db;
    for (int k = 0; k < n; ++k) p.work.polygon[k] = placeVertex(p, db.axes[face[k]]);
    const auto& v = p.work.polygon;
    Quad q;
    if (n == 3) {
        quadOf(q, v[0], v[1], v[2], v[2]);
        renderQuad(p, q);
    } else if (n == 4) {
        quadOf(q, v[0], v[1], v[2], v[3]);
        renderQuad(p, q);
    } else {
        cutPolygon(p, n);
    }
}

// Runs of -n and n axis numbers; a face naming an axis not in use, or running past the
// shape's entries, is left out.
void renderPolygonMesh(TilePass& p, const db::Shape& s) {
    const db::Database& db = p.shared.db;
    const std::size_t end = std::min<std::size_t>(
        std::size_t{s.patchId} + s.patchTotal,
        std::min<std::size_t>(static_cast<std::size_t>(std::max(p.shared.patchCount, 0)),
                              db.patches.size()));
    std::size_t k = s.patchId;
    while (k < end) {
        const std::int32_t head = db.patches[k];
        if (head >= 0) {
            ++k;
            continue;
        }
        const std::size_t n = static_cast<std::size_t>(-static_cast<std::int64_t>(head));
        if (n > end - k - 1) return;
        const std::int32_t* face = db.patches.data() + k + 1;
        const bool valid = std::all_of(face, face + n, [&](std::int32_t a) {
            return a >= 0 && a < p.shared.axisCount && static_cast<std::size_t>(a) < db.axes.size();
        });
        if (valid) renderFace(p, face, static_cast<int>(std::min<std::size_t>(n, kCountStackSize)));
        k += n + 1;
    }
}

// ---- Point grids -------------------------------------------------------------------------

bool cellMissesTile(const TilePass& p, const QuadVertex& a, const QuadVertex& b,
                    const QuadVertex& c, const QuadVertex& d) {
    const float limit = std::max(p.shared.state.screen.nearPlane, kNearDepthLimit);
    if (a.camera[2] < limit || b.camera[2] < limit || c.camera[2] < limit || d.camera[2] < limit)
        return false;
    const Tile& t = p.tile;
    const std::int64_t x0 = std::min({a.sx, b.sx, c.sx, d.sx});
    const std::int64_t x1 = std::max({a.sx, b.sx, c.sx, d.sx});
    const std::int64_t y0 = std::min({a.sy, b.sy, c.sy, d.sy});
    const std::int64_t y1 = std::max({a.sy, b.sy, c.sy, d.sy});
    return x1 < t.xStart500 || x0 > t.xEnd500 + kSubSample || y1 < t.yStart500 ||
           y0 > t.yEnd500 + kSubSample;
}

void renderGrid(TilePass& p, std::span<const db::Axis> axes, int nu, int nv) {
    if (nu < 2 || nv < 2) return;
    const std::size_t count = static_cast<std::size_t>(nu) * nv;
    auto& placed = p.work.placed;
    if (placed.size() < count) placed.resize(count);
    for (std::size_t k = 0; k < count; ++k) placed[k] = placeVertex(p, axes[k]);
    Quad q;
    for (int j = 0; j + 1 < nv; ++j) {
        for (int i = 0; i + 1 < nu; ++i) {
            const std::size_t a = static_cast<std::size_t>(j) * nu + i;
            const QuadVertex& v0 = placed[a];
            const QuadVertex& v1 = placed[a + nu];
            const QuadVertex& v2 = placed[a + nu + 1];
            const QuadVertex& v3 = placed[a + 1];
            if (cellMissesTile(p, v0, v1, v2, v3)) continue;
            quadOf(q, v0, v1, v2, v3);
            renderQuad(p, q);
        }
    }
}

// A box's grid is its four sides, 2 x 5 corners round the strip (y min and y max of each
// corner in turn); its top and bottom close it, wound like the sides so that all six face out.
constexpr int kBoxStripCorners = 10;
constexpr std::array<std::array<int, 4>, 2> kBoxCaps{{
    {1, 3, 5, 7},
    {6, 4, 2, 0},
}};

void renderBoxCaps(TilePass& p, int nu, int nv) {
    if (nu * nv != kBoxStripCorners) return;
    const auto& v = p.work.placed;
    Quad q;
    for (const auto& cap : kBoxCaps) {
        quadOf(q, v[cap[0]], v[cap[1]], v[cap[2]], v[cap[3]]);
        renderQuad(p, q);
    }
}

// A parametric shape expanded at the free end of the stores and copied out, so that the
// stores are free for the next worker at once.
bool expandedGrid(TilePass& p, int i, int& nu, int& nv) {
    const std::lock_guard lock(p.shared.stores);
    const geometry::ExpandedShape expanded(p.shared.db, p.msg, i);
    if (expanded.status() != script::kOk) return false;
    const geometry::GridView& g = expanded.grid();
    if (p.work.grid.size() < g.vertices.size()) p.work.grid.resize(g.vertices.size());
    std::copy(g.vertices.begin(), g.vertices.end(), p.work.grid.begin());
    nu = g.nu;
    nv = g.nv;
    return true;
}

void renderShape(TilePass& p, int i, const db::Shape& s) {
    const RenderState& st = p.shared.state;
    p.toCamera = multiply(p.placement, st.view.view);
    if (boxMissesTile(p, s)) return;
    p.normalMatrix = normalMatrixOf(p.placement);
    p.mirrored = linearDeterminant(p.placement) < 0.0;
    p.shading = surfaceShading(p.shared.db, s, st.drawMode, st.sampleMode);
    p.smooth = p.shading.attribute == nullptr || p.shading.attribute->smooth != 0;
    if (st.drawMode == static_cast<int>(DrawMode::Rapid))
        p.colouring = Colouring::Lines;
    else if (st.drawMode >= static_cast<int>(DrawMode::Full) && p.shading.mapped)
        p.colouring = Colouring::Micro;
    else
        p.colouring = Colouring::Vertex;
    if (s.kind == db::kShapePolygon) {
        renderPolygonMesh(p, s);
    } else if (s.kind == db::kShapeGrid) {
        const geometry::GridView g = geometry::explicitGrid(p.shared.db, s);
        renderGrid(p, g.vertices, g.nu, g.nv);
    } else if (geometry::isParametric(s.kind)) {
        int nu = 0;
        int nv = 0;
        if (expandedGrid(p, i, nu, nv)) {
            renderGrid(
                p, std::span<const db::Axis>(p.work.grid.data(), static_cast<std::size_t>(nu) * nv),
                nu, nv);
            if (s.kind == db::kShapeBox) renderBoxCaps(p, nu, nv);
        }
    }
}

}  // namespace

QuadVertex placeVertex(const TilePass& p, const db::Axis& axis) {
    QuadVertex v;
    v.model = axis.wv;
    v.modelNormal = axis.nv;
    const Vec3d model = widen(axis.wv);
    v.world = narrow(transformPoint(model, p.placement));
    v.normal = narrow(normalised(transformDirection(widen(axis.nv), p.normalMatrix)));
    v.camera = narrow(transformPoint(model, p.toCamera));
    v.u = axis.u;
    v.v = axis.v;
    project(p.shared.state, v);
    return v;
}

bool renderShapes(TilePass& p) {
    const SharedRender& sh = p.shared;
    const db::Database& db = sh.db;
    for (int i = sh.firstShape; i < sh.endShape; ++i) {
        const db::Shape& s = db.shapes[i];
        if (!sh.state.sampleMode) {
            if (!passesLayerFilter(sh.layerFilter, s.layer)) continue;
            if (s.layer > 1) {
                p.msg.formatBuffer(msg::kShapeLayer, i, s.layer);
                p.msg.console(p.msg.buffer());
                continue;
            }
        }
        if (placeShape(p, i)) renderShape(p, i, s);
        if (script::interruptRequested(sh.in) || sh.stop.load(std::memory_order_relaxed))
            return false;
    }
    return true;
}

}  // namespace rz::render
