// The quadrilateral pass: orientation, the near-plane rule, projection, RAPID's edges, the
// corner colours, and makeMicroPolygon with its rasteriser and the depth layers.

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "math/vec_math.hpp"
#include "render/depth_layers.hpp"
#include "render/raster_lines.hpp"
#include "render/render_messages.hpp"
#include "render/render_pass.hpp"

namespace rz::render {
namespace {

// Screen coordinates are held well inside 32 bits, so that the sum of two of them (the
// midpoints) and the products of the rasteriser cannot overflow.
constexpr double kCoordLimit = static_cast<double>(1 << 29);
constexpr double kDepthLow = -static_cast<double>(1 << 30);
constexpr double kDepthHigh = static_cast<double>(kEmptyDepth - 1);
// A quadrilateral that still straddles the near limit after this many halvings is dropped:
// with a near plane at or below the limit it would otherwise be halved without end.
constexpr int kMaxNearSplits = 16;
constexpr std::int32_t kParamOne = 1000000;

// Rounded half away from zero, as lround does, without the library call: within the limit the
// value fits the integer and its fraction is exact. A position that is not a number (a vertex
// in the camera's plane) is 0, which is what lround's value came to.
std::int32_t toCoord(double v) {
    if (std::isnan(v)) return 0;
    const double held = std::clamp(v, -kCoordLimit, kCoordLimit);
    auto whole = static_cast<std::int32_t>(held);
    const double fraction = held - whole;
    whole += fraction >= 0.5 ? 1 : fraction <= -0.5 ? -1 : 0;
    return whole;
}

std::int32_t toDepth(double v) {
    return static_cast<std::int32_t>(std::clamp(v, kDepthLow, kDepthHigh));
}

std::int32_t mid(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>((std::int64_t{a} + b) >> 1);
}

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    const std::int64_t q = a / b;
    return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}

// The sample whose centre is the first at or after the position, in 1/500 sample: the divisor
// is known here, so the division becomes a multiplication.
std::int64_t firstCentreFrom(std::int64_t position) {
    const std::int64_t a = 250 - position;
    const std::int64_t q = a / kSubSample;
    return -((a % kSubSample != 0 && a < 0) ? q - 1 : q);
}

Vec3 meanOf(const Vec3& a, const Vec3& b) {
    return {(a[0] + b[0]) * 0.5f, (a[1] + b[1]) * 0.5f, (a[2] + b[2]) * 0.5f};
}

Vec3 meanNormal(const Vec3& a, const Vec3& b) {
    return narrow(normalised(widen(a) + widen(b)));
}

QuadVertex midVertex(const QuadVertex& a, const QuadVertex& b) {
    QuadVertex m;
    m.model = meanOf(a.model, b.model);
    m.modelNormal = meanNormal(a.modelNormal, b.modelNormal);
    m.world = meanOf(a.world, b.world);
    m.normal = meanNormal(a.normal, b.normal);
    m.camera = meanOf(a.camera, b.camera);
    m.u = (a.u + b.u) * 0.5f;
    m.v = (a.v + b.v) * 0.5f;
    return m;
}

// The ring of eight around a quadrilateral (corners 0, 2, 4, 6; edge midpoints 1, 3, 5, 7)
// and its centre 8, and the four children cut from it.
constexpr std::array<std::array<int, 4>, 4> kChildren{{
    {0, 1, 8, 7},
    {1, 2, 3, 8},
    {8, 3, 4, 5},
    {7, 8, 5, 6},
}};
constexpr std::array<const char*, 4> kChildNames{"1st.", "2nd.", "3rd.", "4th."};

// Splits a quadrilateral that crosses the near limit into four, pushed back on the stack.
void splitAtNearLimit(TilePass& p, const Quad& q) {
    std::array<QuadVertex, 9> r;
    for (int c = 0; c < 4; ++c) r[2 * c] = q.v[c];
    for (int c = 0; c < 4; ++c) r[2 * c + 1] = midVertex(q.v[c], q.v[(c + 1) % 4]);
    r[8] = midVertex(r[1], r[5]);
    for (const auto& child : kChildren) {
        Quad* slot = p.work.split.pushSlot();
        if (slot == nullptr) {
            p.msg.errorBox(msg::kSplitStackFull);
            return;
        }
        for (int c = 0; c < 4; ++c) slot->v[c] = r[child[c]];
        slot->source = {kNoVertex, kNoVertex, kNoVertex, kNoVertex};
        slot->ownNormals = 0;
        slot->generation = q.generation + 1;
        slot->negated = q.negated;
    }
}

// The face normal by the winding of the corners: the front is the side from which they run
// counter-clockwise, as a grid's cells, a box's faces and imported meshes are wound. The
// winding alone decides, so a generator can turn a surface round (a tube's inner wall) by
// winding it the other way; orient then turns vertex normals that point against it. A
// mirroring placement reverses the winding.
Vec3d faceNormal(const Quad& q, bool mirrored) {
    const Vec3d d1 = widen(q.v[2].world) - widen(q.v[0].world);
    const Vec3d d2 = widen(q.v[3].world) - widen(q.v[1].world);
    const Vec3d n = cross(d1, d2);
    return mirrored ? n * -1.0 : n;
}

Vec3d modelFaceNormal(const Quad& q) {
    const Vec3d d1 = widen(q.v[2].model) - widen(q.v[0].model);
    const Vec3d d2 = widen(q.v[3].model) - widen(q.v[1].model);
    return cross(d1, d2);
}

bool isZero(const Vec3& v) {
    return v[0] == 0.0f && v[1] == 0.0f && v[2] == 0.0f;
}

// The face-orientation rule of the shading; false when the quadrilateral is dropped. Only the
// quadrilateral taken from the shape is oriented: its near-plane pieces inherit the outcome.
// Model-space normals are read only by mapped surfaces, so only they pay for them.
bool orientQuad(TilePass& p, Quad& q) {
    if (q.generation > 0) {
        p.shading.normalsNegated = q.negated;
        return true;
    }
    const Vec3d face = faceNormal(q, p.shape->frame.mirrored);
    Vec3d centre{};
    for (const QuadVertex& v : q.v) centre = centre + widen(v.world);
    centre = centre * 0.25;
    const bool front = dot(face, p.eye - centre) > 0.0;
    if (!faceKept(p.shading.faceRule, front)) {
        p.shading.normalsNegated = false;
        return false;
    }
    // Flat surfaces, and corners without a normal of their own, are lit by the face.
    const Vec3 flat = narrow(normalised(face));
    std::array<Vec3, 4> normals{};
    q.ownNormals = 0;
    for (int c = 0; c < 4; ++c) {
        const bool own = p.smooth && !isZero(q.v[c].normal);
        normals[c] = own ? q.v[c].normal : flat;
        q.ownNormals |= static_cast<std::uint8_t>(own ? 1 << c : 0);
    }
    const Orientation o = orientation(p.shading.faceRule, front, flat, normals);
    p.shading.normalsNegated = o.backTurned;
    if (!o.kept) return false;
    q.negated = o.backTurned;
    q.turned = o.negate;
    for (int c = 0; c < 4; ++c) {
        Vec3& n = q.v[c].normal;
        n = normals[c];
        if (o.negate)
            for (float& x : n) x = -x;
    }
    if (p.colouring != Colouring::Micro) return true;
    const Vec3 modelFlat = narrow(normalised(modelFaceNormal(q)));
    for (int c = 0; c < 4; ++c) {
        Vec3& m = q.v[c].modelNormal;
        if (!p.smooth || isZero(m)) m = modelFlat;
        const Vec3& n = normals[c];
        if (o.negate && n[0] * n[0] + n[1] * n[1] + n[2] * n[2] > 0.0f)
            for (float& x : m) x = -x;
    }
    return true;
}

// The light of corner c: reused from the worker's cache when the corner is a pre-pass vertex
// lit with its own normal.
Lit cornerLight(TilePass& p, const Quad& q, int c) {
    const QuadVertex& v = q.v[c];
    if (q.source[c] == kNoVertex || (q.ownNormals & (1 << c)) == 0)
        return shade(p.shading, v.normal, v.world);
    return p.work.lights.lit(q.source[c], q.turned,
                             [&] { return shade(p.shading, v.normal, v.world); });
}

enum class NearClass { Drop, Split, Keep };

NearClass classify(const RenderState& st, const Quad& q) {
    const float nearPlane = st.screen.nearPlane;
    int behindNear = 0;
    int behindLimit = 0;
    int inFront = 0;
    for (const QuadVertex& v : q.v) {
        const float z = v.camera[2];
        behindNear += z < nearPlane;
        behindLimit += z < kNearDepthLimit;
        inFront += z >= nearPlane && z >= kNearDepthLimit;
    }
    if (behindNear == 4) return NearClass::Drop;
    if (behindLimit > 0) return inFront > 0 ? NearClass::Split : NearClass::Drop;
    return NearClass::Keep;
}

struct Bounds {
    std::int64_t x0;
    std::int64_t y0;
    std::int64_t x1;
    std::int64_t y1;
};

bool missesTile(const Tile& t, const Bounds& b) {
    return b.x1 < t.xStart500 || b.x0 > t.xEnd500 + kSubSample || b.y1 < t.yStart500 ||
           b.y0 > t.yEnd500 + kSubSample;
}

template <class V>
Bounds boundsOf(const std::array<V, 4>& v, std::int32_t V::*x, std::int32_t V::*y) {
    Bounds b{v[0].*x, v[0].*y, v[0].*x, v[0].*y};
    for (int c = 1; c < 4; ++c) {
        b.x0 = std::min<std::int64_t>(b.x0, v[c].*x);
        b.x1 = std::max<std::int64_t>(b.x1, v[c].*x);
        b.y0 = std::min<std::int64_t>(b.y0, v[c].*y);
        b.y1 = std::max<std::int64_t>(b.y1, v[c].*y);
    }
    return b;
}

// RAPID: the four edges as white lines into the C-Buffer.
void drawEdges(TilePass& p, const Quad& q) {
    db::ColorBuffer& image = p.image;
    const Rect clip{0, 0, image.width, image.height};
    const int factor = p.shared.state.screen.factor() * kSubSample;
    for (int c = 0; c < 4; ++c) {
        const QuadVertex& a = q.v[c];
        const QuadVertex& b = q.v[(c + 1) % 4];
        const std::optional<LineRun> run = clipLine(static_cast<int>(floorDiv(a.sx, factor)),
                                                    static_cast<int>(floorDiv(a.sy, factor)),
                                                    static_cast<int>(floorDiv(b.sx, factor)),
                                                    static_cast<int>(floorDiv(b.sy, factor)), clip);
        if (!run) continue;
        int x = run->x;
        int y = run->y;
        std::int64_t error = run->error;
        for (std::int64_t i = 0; i < run->count; ++i) {
            std::uint8_t* px =
                image.pixels.data() + (static_cast<std::size_t>(y) * image.width + x) * 4;
            px[0] = px[1] = px[2] = 255;
            x += run->majorX;
            y += run->majorY;
            error += run->errorUp;
            if (error >= 0) {
                x += run->minorX;
                y += run->minorY;
                error -= run->errorDown;
            }
        }
    }
}

// ---- Micropolygons -----------------------------------------------------------------------

std::int64_t boxArea(const MicroVertex& a, const MicroVertex& b, const MicroVertex& c) {
    const std::int64_t xa = a.x / kSubSample;
    const std::int64_t xb = b.x / kSubSample;
    const std::int64_t xc = c.x / kSubSample;
    const std::int64_t ya = a.y / kSubSample;
    const std::int64_t yb = b.y / kSubSample;
    const std::int64_t yc = c.y / kSubSample;
    return (std::max({xa, xb, xc}) - std::min({xa, xb, xc})) *
           (std::max({ya, yb, yc}) - std::min({ya, yb, yc}));
}

// The colour of a micropolygon at its centre (s, t on its quadrilateral, 0..1).
Rgba8 colourAt(const TilePass& p, float s, float t) {
    const std::array<float, 4> w{(1 - s) * (1 - t), s * (1 - t), s * t, (1 - s) * t};
    if (p.colouring == Colouring::Vertex) {
        const auto& l = p.lit;
        // Summed corner by corner from zero, in the same order for every channel.
        const auto blend = [&](const auto& of) {
            return 0.0f + w[0] * of(l[0]) + w[1] * of(l[1]) + w[2] * of(l[2]) + w[3] * of(l[3]);
        };
        Lit lit;
        for (int k = 0; k < 3; ++k) lit.color[k] = blend([k](const Lit& x) { return x.color[k]; });
        lit.opacity = blend([](const Lit& x) { return x.opacity; });
        return finish(p.shading, lit, nullptr);
    }
    SurfacePoint at;
    Vec3d normal{};
    Vec3d modelNormal{};
    for (int c = 0; c < 4; ++c) {
        const QuadVertex& v = p.quad->v[c];
        for (int k = 0; k < 3; ++k) {
            at.position[k] += w[c] * v.world[k];
            at.modelPosition[k] += w[c] * v.model[k];
            normal[k] += w[c] * v.normal[k];
            modelNormal[k] += w[c] * v.modelNormal[k];
        }
        at.u += w[c] * v.u;
        at.v += w[c] * v.v;
    }
    at.normal = narrow(normalised(normal));
    at.modelNormal = narrow(normalised(modelNormal));
    return shadePoint(p.shading, at);
}

// One edge chain from the top vertex to the bottom one, stepping forward or backward
// around the micropolygon.
struct Chain {
    const std::array<MicroVertex, 4>* v;
    int step;
    int bottom;
    int from;
    int to;
    bool advance(std::int64_t row) {
        while ((*v)[to].y <= row) {
            if (to == bottom) return false;
            from = to;
            to = (to + step) & 3;
        }
        return true;
    }
    // x on the edge at the row; the same edge gives the same x in every micropolygon that has it.
    std::int64_t x(std::int64_t row) const {
        const MicroVertex& a = (*v)[from];
        const MicroVertex& b = (*v)[to];
        return a.x + floorDiv((std::int64_t{b.x} - a.x) * (row - a.y), std::int64_t{b.y} - a.y);
    }
};

void rasterise(TilePass& p, const MicroPolygon& m) {
    const RenderState& st = p.shared.state;
    const std::int64_t depth = (std::int64_t{m.v[0].z} + m.v[1].z + m.v[2].z + m.v[3].z) >> 2;
    const std::int64_t nearZ = static_cast<std::int64_t>(st.screen.nearPlane * kDepthScale);
    const std::int64_t farZ = static_cast<std::int64_t>(
        std::min<double>(static_cast<double>(st.screen.farPlane) * kDepthScale, kDepthHigh));
    if (depth < nearZ || depth > farZ) return;
    int top = 0;
    int bottom = 0;
    for (int c = 1; c < 4; ++c) {
        if (m.v[c].y < m.v[top].y) top = c;
        if (m.v[c].y > m.v[bottom].y) bottom = c;
    }
    const Tile& tile = p.tile;
    // Sample rows whose centres lie in [top, bottom), within the tile.
    const std::int64_t firstRow = std::max<std::int64_t>(firstCentreFrom(m.v[top].y), tile.yStart);
    const std::int64_t lastRow =
        std::min<std::int64_t>(firstCentreFrom(m.v[bottom].y) - 1, tile.yEnd);
    if (firstRow > lastRow) return;
    const float s = static_cast<float>((std::int64_t{m.v[0].s} + m.v[1].s + m.v[2].s + m.v[3].s) /
                                       4.0 / kParamOne);
    const float t = static_cast<float>((std::int64_t{m.v[0].t} + m.v[1].t + m.v[2].t + m.v[3].t) /
                                       4.0 / kParamOne);
    const Rgba8 colour = colourAt(p, s, t);
    ++p.work.micropolygons;
    const ZEntry entry{static_cast<std::int32_t>(depth), colour.r, colour.g, colour.b, colour.a};
    Chain left{&m.v, 1, bottom, top, (top + 1) & 3};
    Chain right{&m.v, -1, bottom, top, (top + 3) & 3};
    const int layers = st.screen.layers;
    const std::int64_t stride = std::int64_t{tile.width()} * layers;
    ZEntry* const zbuf = p.work.zbuffer.data();
    std::int64_t colFirst = tile.xEnd + 1;
    std::int64_t colLast = tile.xStart - 1;
    std::int64_t row = firstRow;
    for (; row <= lastRow; ++row) {
        const std::int64_t y = row * kSubSample + 250;
        if (!left.advance(y)) {
            p.msg.internalError();
            p.msg.console(msg::kLeftChain);
            break;
        }
        if (!right.advance(y)) {
            p.msg.internalError();
            p.msg.console(msg::kRightChain);
            break;
        }
        const std::int64_t xa = left.x(y);
        const std::int64_t xb = right.x(y);
        const std::int64_t lo = std::min(xa, xb);
        const std::int64_t hi = std::max(xa, xb);
        const std::int64_t c0 = std::max<std::int64_t>(firstCentreFrom(lo), tile.xStart);
        const std::int64_t c1 = std::min<std::int64_t>(firstCentreFrom(hi) - 1, tile.xEnd);
        if (c0 > c1) continue;
        colFirst = std::min(colFirst, c0);
        colLast = std::max(colLast, c1);
        ZEntry* sample = zbuf + (row - tile.yStart) * stride + (c0 - tile.xStart) * layers;
        for (std::int64_t c = c0; c <= c1; ++c, sample += layers)
            insertDepth(sample, 1, layers, entry);
    }
    if (colFirst <= colLast)
        p.work.used.add(
            static_cast<int>(firstRow - tile.yStart), static_cast<int>(row - 1 - tile.yStart),
            static_cast<int>(colFirst - tile.xStart), static_cast<int>(colLast - tile.xStart));
}

void splitMicro(const MicroPolygon& m, std::array<MicroVertex, 9>& r) {
    for (int c = 0; c < 4; ++c) r[2 * c] = m.v[c];
    const auto half = [](const MicroVertex& a, const MicroVertex& b) {
        return MicroVertex{mid(a.x, b.x), mid(a.y, b.y), mid(a.z, b.z), mid(a.s, b.s),
                           mid(a.t, b.t)};
    };
    for (int c = 0; c < 4; ++c) r[2 * c + 1] = half(m.v[c], m.v[(c + 1) & 3]);
    r[8] = half(r[1], r[5]);
}

void makeMicroPolygon(TilePass& p, const Quad& q) {
    auto& stack = p.work.micro;
    stack.clear();
    MicroPolygon first;
    constexpr std::array<std::array<std::int32_t, 2>, 4> kCorners{
        {{0, 0}, {kParamOne, 0}, {kParamOne, kParamOne}, {0, kParamOne}}};
    for (int c = 0; c < 4; ++c)
        first.v[c] = {q.v[c].sx, q.v[c].sy, q.v[c].sz, kCorners[c][0], kCorners[c][1]};
    first.size = (boxArea(first.v[0], first.v[1], first.v[2]) +
                  boxArea(first.v[0], first.v[2], first.v[3])) /
                 2;
    const std::int64_t half = p.shared.state.threshold / 2;
    // Most quadrilaterals of a fine grid are micropolygons already; processQuad has tested
    // these very bounds against the tile.
    if (first.size <= half) {
        rasterise(p, first);
        return;
    }
    if (!stack.push(first)) {
        p.msg.errorBox(msg::kMicroStackFull);
        return;
    }
    std::array<MicroVertex, 9> r;
    while (!stack.empty()) {
        const MicroPolygon m = stack.pop();
        if (missesTile(p.tile, boundsOf(m.v, &MicroVertex::x, &MicroVertex::y))) continue;
        if (m.size <= half) {
            rasterise(p, m);
            continue;
        }
        splitMicro(m, r);
        for (int k = 0; k < 4; ++k) {
            MicroPolygon* child = stack.pushSlot();
            if (child == nullptr) {
                p.msg.errorBox(msg::kMicroStackFull);
                p.msg.formatBuffer(msg::kMicroPushFailed, kChildNames[k]);
                p.msg.console(p.msg.buffer());
                stack.clear();
                return;
            }
            for (int c = 0; c < 4; ++c) child->v[c] = r[kChildren[k][c]];
            child->size = m.size >> 2;
        }
    }
}

void processQuad(TilePass& p, Quad& q) {
    if (!orientQuad(p, q)) return;
    const RenderState& st = p.shared.state;
    switch (classify(st, q)) {
        case NearClass::Drop:
            return;
        case NearClass::Split:
            if (q.generation < kMaxNearSplits) splitAtNearLimit(p, q);
            return;
        case NearClass::Keep:
            break;
    }
    if (q.generation > 0)
        for (QuadVertex& v : q.v) project(st, v);
    if (missesTile(p.tile, boundsOf(q.v, &QuadVertex::sx, &QuadVertex::sy))) return;
    if (p.colouring == Colouring::Lines) {
        drawEdges(p, q);
        return;
    }
    if (p.colouring == Colouring::Vertex)
        for (int c = 0; c < 4; ++c) p.lit[c] = cornerLight(p, q, c);
    p.quad = &q;
    makeMicroPolygon(p, q);
    p.quad = nullptr;
}

}  // namespace

void project(const RenderState& st, QuadVertex& v) {
    const double z = v.camera[2];
    const double k = perspectiveFactor(st.view, z);
    const double scale = static_cast<double>(st.screen.halfWidth) * kSubSample;
    v.sx = toCoord((v.camera[0] * k + 1.0) * scale);
    v.sy = toCoord((0.75 - v.camera[1] * k) * scale);
    v.sz = toDepth(z * kDepthScale);
}

void renderQuad(TilePass& p, Quad& q) {
    processQuad(p, q);
    auto& stack = p.work.split;
    while (!stack.empty()) {
        Quad piece = stack.pop();
        processQuad(p, piece);
    }
}

}  // namespace rz::render
