// The shapes of one tile, as the pre-pass left them: the box test against the tile, and the
// cutting of polygon meshes and point grids into quadrilaterals.

#include <algorithm>
#include <cmath>

#include "db/face_runs.hpp"
#include "math/vec_math.hpp"
#include "render/render_messages.hpp"
#include "render/render_pass.hpp"

namespace rz::render {
namespace {

constexpr std::int32_t kBarrier = -1;
// Vertices of a ring being cut; the COUNT-STACK holds at most this many.
using Ring = std::array<std::int32_t, kCountStackSize>;

void quadOf(Quad& q, const QuadVertex& a, const QuadVertex& b, const QuadVertex& c,
            const QuadVertex& d, const std::array<std::size_t, 4>& source) {
    q.v = {a, b, c, d};
    q.source = source;
    q.generation = 0;
    q.negated = false;
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
    const auto& src = p.work.polygonSource;
    Quad q;
    while (!p.work.count.empty()) {
        int m = 0;
        if (!popRing(p, ring, m)) return;
        if (m < 3) continue;
        if (m == 3) {
            quadOf(q, v[ring[0]], v[ring[1]], v[ring[2]], v[ring[0]],
                   {src[ring[0]], src[ring[1]], src[ring[2]], src[ring[0]]});
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
        quadOf(q, v[a], v[ring[ear]], v[c], v[a], {src[a], src[ring[ear]], src[c], src[a]});
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
    const PreparedShape& ps = *p.shape;
    const QuadVertex* placed = p.shared.prepass.vertices.data() + ps.first;
    for (int k = 0; k < n; ++k) {
        const std::int32_t a = face[k] - ps.axisFirst;
        const bool own = a >= 0 && a < ps.axisTotal;
        p.work.polygon[k] =
            own ? placed[a] : placeVertex(p.shared.state, ps.frame, db.axes[face[k]]);
        p.work.polygonSource[k] = own ? ps.first + static_cast<std::size_t>(a) : kNoVertex;
    }
    const auto& v = p.work.polygon;
    const auto& src = p.work.polygonSource;
    Quad q;
    if (n == 3) {
        quadOf(q, v[0], v[1], v[2], v[2], {src[0], src[1], src[2], src[2]});
        renderQuad(p, q);
    } else if (n == 4) {
        quadOf(q, v[0], v[1], v[2], v[3], {src[0], src[1], src[2], src[3]});
        renderQuad(p, q);
    } else {
        cutPolygon(p, n);
    }
}

// Runs of -n and n axis numbers; a face naming an axis not in use, or running past the
// shape's entries, is left out.
void renderPolygonMesh(TilePass& p, const db::Shape& s) {
    db::forEachFace(p.shared.db, s, p.shared.patchCount, p.shared.axisCount,
                    [&](const std::int32_t* face, std::size_t n) {
                        renderFace(p, face,
                                   static_cast<int>(std::min<std::size_t>(n, kCountStackSize)));
                    });
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

void renderGrid(TilePass& p, const PreparedShape& ps) {
    const QuadVertex* placed = p.shared.prepass.vertices.data() + ps.first;
    const int nu = ps.nu;
    Quad q;
    for (int j = 0; j + 1 < ps.nv; ++j) {
        for (int i = 0; i + 1 < nu; ++i) {
            const std::size_t a = static_cast<std::size_t>(j) * nu + i;
            const QuadVertex& v0 = placed[a];
            const QuadVertex& v1 = placed[a + nu];
            const QuadVertex& v2 = placed[a + nu + 1];
            const QuadVertex& v3 = placed[a + 1];
            if (cellMissesTile(p, v0, v1, v2, v3)) continue;
            const std::size_t s0 = ps.first + a;
            quadOf(q, v0, v1, v2, v3, {s0, s0 + nu, s0 + nu + 1, s0 + 1});
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

void renderBoxCaps(TilePass& p, const PreparedShape& ps) {
    if (ps.nu * ps.nv != kBoxStripCorners) return;
    const QuadVertex* v = p.shared.prepass.vertices.data() + ps.first;
    Quad q;
    for (const auto& cap : kBoxCaps) {
        quadOf(q, v[cap[0]], v[cap[1]], v[cap[2]], v[cap[3]],
               {ps.first + cap[0], ps.first + cap[1], ps.first + cap[2], ps.first + cap[3]});
        renderQuad(p, q);
    }
}

// A shape the tile reaches: the pre-pass's messages of its expansion, then its faces.
void renderShape(TilePass& p, const PreparedShape& ps) {
    const ShapePrepass& pre = p.shared.prepass;
    pre.log.replay(p.msg, ps.expandSaid.first, ps.expandSaid.end);
    p.shape = &ps;
    p.shading = *ps.shading;
    p.colouring = ps.colouring;
    p.smooth = ps.smooth;
    if (ps.geometry == ShapeGeometry::Mesh)
        renderPolygonMesh(p, *ps.shape);
    else if (ps.geometry == ShapeGeometry::Grid)
        renderGrid(p, ps);
    if (ps.geometry == ShapeGeometry::Grid && ps.shape->kind == db::kShapeBox) renderBoxCaps(p, ps);
}

}  // namespace

bool renderShapes(TilePass& p) {
    const SharedRender& sh = p.shared;
    const ShapePrepass& pre = sh.prepass;
    for (const PreparedShape& ps : pre.shapes) {
        pre.log.replay(p.msg, ps.said.first, ps.said.end);
        if (!ps.reached) continue;
        if (ps.placed && !ps.missesTile(p.tile)) renderShape(p, ps);
        if (script::interruptRequested(sh.in) || sh.stop.load(std::memory_order_relaxed))
            return false;
    }
    return true;
}

}  // namespace rz::render
