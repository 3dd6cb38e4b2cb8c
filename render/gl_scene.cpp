#include "render/gl_scene.hpp"

#include <algorithm>
#include <functional>
#include <optional>
#include <span>
#include <string_view>

#include "db/current_records.hpp"
#include "geometry/block_transform.hpp"
#include "geometry/expand_shape.hpp"
#include "geometry/expanded_shape.hpp"
#include "math/matrix_math.hpp"
#include "math/vec_math.hpp"
#include "render/draw_values.hpp"
#include "render/gl_view_modes.hpp"

namespace rz::render {
namespace {

// Layers the preview never shows besides hidden and guide shapes.
constexpr std::array<int, 4> kUndrawnLayers{kLayerHide, kLayerGuide, 20, 50};
constexpr float kMaxShininess = 128.0f;

enum class FaceMode : std::uint8_t {
    Front = 0,     // counter-clockwise faces seen
    Reversed = 1,  // clockwise faces seen: the shape was wound the other way round
    TwoSided = 2,  // every face also drawn turned round
};

struct Corner {
    Vec3 position{};
    Vec3 normal{};
    float u = 0.0f;
    float v = 0.0f;
};

// One shape being turned into triangles.
struct ShapeFaces {
    GlScene& scene;
    const Mat4& placement;
    const Mat4& normalMatrix;
    FaceMode face;
    bool smooth;
    bool polygonMesh;
    bool windBack = false;  // the faces are listed clockwise seen from outside
};

Vec3 scaled(const Vec3& v, float k) {
    return {v[0] * k, v[1] * k, v[2] * k};
}

Corner place(const ShapeFaces& f, const db::Axis& axis) {
    return {narrow(transformPoint(widen(axis.wv), f.placement)),
            narrow(transformDirection(widen(axis.nv), f.normalMatrix)), axis.u, axis.v};
}

// The unit normal of the face's distinct corners (consecutive equal positions merged) by
// Newell's sum, which follows the winding; fewer than three distinct corners give zero.
Vec3 faceNormal(std::span<const Corner> c) {
    std::array<Vec3d, 4> p{};
    std::size_t n = 0;
    for (const Corner& k : c) {
        const Vec3d q = widen(k.position);
        if (n > 0 && q == p[n - 1]) continue;
        p[n++] = q;
    }
    if (n > 1 && p[n - 1] == p[0]) --n;
    if (n < 3) return {};
    Vec3d sum{};
    for (std::size_t i = 0; i < n; ++i) {
        const Vec3d& a = p[i];
        const Vec3d& b = p[(i + 1) % n];
        sum = sum + Vec3d{(a[1] - b[1]) * (a[2] + b[2]), (a[2] - b[2]) * (a[0] + b[0]),
                          (a[0] - b[0]) * (a[1] + b[1])};
    }
    return length(sum) > 0.0 ? narrow(normalised(sum)) : Vec3{};
}

// A face of three or four corners, kept for the second pass of a two-sided shape.
struct TurnedFace {
    std::array<Corner, 4> corners{};
    std::size_t count = 0;
};

// One pass over a face of three or four corners, as triangles 0 1 2 and 2 3 0.
void emitFace(GlScene& scene, std::span<const Corner> c, bool smooth, float vertexSign,
              float flatSign) {
    const Vec3 flat = scaled(faceNormal(c), flatSign);
    // A corner without a normal (boxes, quads and grid planes are generated without) would be
    // unlit: it takes the face's.
    const auto vertex = [&](std::size_t k) {
        const bool own = smooth && c[k].normal != Vec3{};
        const Vec3 n = own ? scaled(c[k].normal, vertexSign) : flat;
        scene.vertices.push_back({c[k].position, n, c[k].u, c[k].v});
    };
    for (std::size_t k : {0, 1, 2}) vertex(k);
    if (c.size() == 4)
        for (std::size_t k : {2, 3, 0}) vertex(k);
}

// The face as seen; a two-sided shape keeps it turned round for its second pass.
void addFace(const ShapeFaces& f, std::span<const Corner> c, std::vector<TurnedFace>& turned) {
    // A clockwise front face is lit from its other side: its normals are turned to the
    // viewer, the flat normal as well as the vertex ones.
    const float sign = f.face == FaceMode::Reversed ? -1.0f : 1.0f;
    emitFace(f.scene, c, f.smooth, sign, sign);
    if (f.face != FaceMode::TwoSided) return;
    TurnedFace& t = turned.emplace_back();
    t.count = c.size();
    std::reverse_copy(c.begin(), c.end(), t.corners.begin());
}

void gridFaces(const ShapeFaces& f, std::span<const db::Axis> axes, int nu, int nv,
               std::vector<TurnedFace>& turned) {
    for (int r = 0; r + 1 < nv; ++r)
        for (int col = 0; col + 1 < nu; ++col) {
            const std::size_t a = static_cast<std::size_t>(r) * nu + col;
            const std::array<Corner, 4> c{place(f, axes[a]), place(f, axes[a + nu]),
                                          place(f, axes[a + nu + 1]), place(f, axes[a + 1])};
            addFace(f, c, turned);
        }
}

// Runs of -n and n axis numbers. A face of more than four corners is drawn as a fan of
// triangles from its first corner; a face naming an axis not in use, or running past the
// shape's entries, is left out.
void polygonFaces(const ShapeFaces& f, const db::Database& db, const db::Shape& s,
                  std::vector<TurnedFace>& turned) {
    const std::size_t end = std::min<std::size_t>(
        std::size_t{s.patchId} + s.patchTotal,
        std::min<std::size_t>(static_cast<std::size_t>(std::max(db.patchCount, 0)),
                              db.patches.size()));
    const auto inUse = [&](std::int32_t a) {
        return a >= 0 && a < db.axisCount && static_cast<std::size_t>(a) < db.axes.size();
    };
    std::size_t k = s.patchId;
    while (k < end) {
        const std::int32_t head = db.patches[k];
        if (head >= 0) {
            ++k;
            continue;
        }
        const std::size_t n = static_cast<std::size_t>(-static_cast<std::int64_t>(head));
        if (n > end - k - 1) return;
        const std::span<const std::int32_t> face(db.patches.data() + k + 1, n);
        k += n + 1;
        if (n < 3 || !std::all_of(face.begin(), face.end(), inUse)) continue;
        if (n <= 4) {
            std::array<Corner, 4> c{};
            for (std::size_t i = 0; i < n; ++i)
                c[f.windBack ? n - 1 - i : i] = place(f, db.axes[face[i]]);
            addFace(f, std::span<const Corner>(c.data(), n), turned);
            continue;
        }
        const Corner first = place(f, db.axes[face[0]]);
        for (std::size_t i = 1; i + 1 < n; ++i) {
            const std::array<Corner, 3> c{first, place(f, db.axes[face[i]]),
                                          place(f, db.axes[face[i + 1]])};
            addFace(f, c, turned);
        }
    }
}

// A box's grid form is its four sides only; its polygon form closes it with the top and the
// bottom, but lists its faces the other way round from the grid's cells, which are wound
// counter-clockwise seen from outside like every other kind. The expansion is appended at
// the free end of the stores and taken away again.
void boxFaces(ShapeFaces f, db::Database& db, platform::MessageService& msg, int i,
              std::vector<TurnedFace>& turned) {
    f.windBack = true;
    const std::int32_t axes = db.axisCount;
    const std::int32_t patches = db.patchCount;
    const std::int32_t shapes = db.shapeCount;
    if (geometry::expandShape(db, msg, i, geometry::ExpandMode::Polygon) == script::kOk &&
        db.shapeCount > shapes)
        polygonFaces(f, db, db.shapes[db.shapeCount - 1], turned);
    db.axisCount = axes;
    db.patchCount = patches;
    db.shapeCount = shapes;
}

std::array<float, 4> rgba(const Vec3& v) {
    return {v[0], v[1], v[2], 1.0f};
}

const db::Attribute& attributeOf(const db::Database& db, const db::Shape& s) {
    const std::size_t count = std::min<std::size_t>(
        static_cast<std::size_t>(std::max(db.attributeCount, 1)), db.attributes.size());
    return db.attributes[s.attribId < count ? s.attribId : 0];
}

GlMaterial materialOf(const db::Attribute& a) {
    return {rgba(a.prg), rgba(a.rgb), rgba(a.arg), std::clamp(a.gainC, 0.0f, kMaxShininess)};
}

FaceMode faceModeOf(const db::Attribute& a, const db::Shape& s) {
    if (geometry::isParametric(s.kind)) return FaceMode::Front;
    if (s.lrflag == 1) return FaceMode::Reversed;
    if (s.lrflag == 2) return FaceMode::TwoSided;
    return a.face == 1 ? FaceMode::Reversed : a.face == 2 ? FaceMode::TwoSided : FaceMode::Front;
}

// The map image of the shape's texture entry: the first colour map of its chain whose
// image can be laid; 0 when there is none. The walk never leaves the stores nor loops.
std::int32_t mapImageOf(const db::Database& db, const db::Shape& s) {
    const std::int64_t lists = std::min<std::int64_t>(db.maplistCount, db.maplists.size());
    const std::int64_t infos = std::min<std::int64_t>(db.mapinfoCount, db.mapinfos.size());
    std::int64_t entry = s.textureId;
    for (std::int64_t step = 0; step < lists && entry > 0 && entry < lists; ++step) {
        const db::Maplist& link = db.maplists[entry];
        if (link.mapinfo <= 0 || link.mapinfo >= infos) return 0;
        const db::Mapinfo& map = db.mapinfos[link.mapinfo];
        const bool colour = map.kind >= 1 && map.kind <= 3;
        if (colour && glMapImageUsable(db, map.texId)) return map.texId;
        entry = link.next;
    }
    return 0;
}

GlBatch& openBatch(GlScene& scene, const GlMaterial& material, bool clockwise, bool cull,
                   std::int32_t image) {
    GlBatch& b = scene.batches.emplace_back();
    b.material = material;
    b.frontClockwise = clockwise;
    b.cullBack = cull;
    b.image = image;
    b.first = scene.vertices.size();
    return b;
}

void closeBatch(GlScene& scene) {
    GlBatch& b = scene.batches.back();
    b.count = scene.vertices.size() - b.first;
    if (b.count == 0) scene.batches.pop_back();
}

bool undrawnLayer(int layer) {
    return std::find(kUndrawnLayers.begin(), kUndrawnLayers.end(), layer) != kUndrawnLayers.end();
}

// The matrix that places the shape, through the matrix stack; false after its message.
bool placementOf(db::Database& db, platform::MessageService& msg, int i, Mat4& out) {
    if (geometry::beginShapePlacement(db, msg, i) != script::kOk) return false;
    out = db.geometry.current;
    return geometry::endShapePlacement(db, msg) == script::kOk;
}

void buildShape(GlScene& scene, script::Interp& in, int i, const GlViewMode& mode,
                std::vector<TurnedFace>& turned) {
    db::Database& db = db::database(in);
    db::Shape& s = db.shapes[i];
    const db::Attribute& a = attributeOf(db, s);
    const FaceMode face = faceModeOf(a, s);
    const bool smooth = a.smooth != 0 && mode.smoothAllowed;
    const std::int32_t image = a.map != 0 && mode.textureAllowed ? mapImageOf(db, s) : 0;
    if (s.shapeId == 0) {
        in.msg.console(msg::kGlBlockIdZero);
        s.shapeId = 1;
        return;
    }
    if (undrawnLayer(s.layer)) return;
    Mat4 placement = kIdentity;
    if (!placementOf(db, in.msg, i, placement)) return;
    const Mat4 normals = normalMatrix(placement);
    const ShapeFaces f{scene, placement, normals, face, smooth, s.kind == db::kShapePolygon};
    const GlMaterial material = materialOf(a);
    turned.clear();
    openBatch(scene, material, face == FaceMode::Reversed, true, image);
    if (s.kind == db::kShapePolygon) {
        polygonFaces(f, db, s, turned);
    } else if (s.kind == db::kShapeGrid) {
        const geometry::GridView g = geometry::explicitGrid(db, s);
        gridFaces(f, g.vertices, g.nu, g.nv, turned);
    } else if (s.kind == db::kShapeBox) {
        boxFaces(f, db, in.msg, i, turned);
    } else if (geometry::isParametric(s.kind)) {
        const geometry::ExpandedShape expanded(db, in.msg, i);
        if (expanded.status() == script::kOk) {
            const geometry::GridView& g = expanded.grid();
            gridFaces(f, g.vertices, g.nu, g.nv, turned);
        }
    }
    closeBatch(scene);
    if (turned.empty()) return;
    // A polygon mesh's turned faces are drawn whichever way they face.
    openBatch(scene, material, false, !f.polygonMesh, image);
    for (const TurnedFace& t : turned)
        emitFace(scene, std::span<const Corner>(t.corners.data(), t.count), smooth, -1.0f, 1.0f);
    closeBatch(scene);
}

void digestBytes(std::uint64_t& digest, std::string_view bytes) {
    const std::uint64_t h = std::hash<std::string_view>{}(bytes);
    digest ^= h + 0x9e3779b97f4a7c15ULL + (digest << 6) + (digest >> 2);
}

template <class T>
void digestStore(std::uint64_t& digest, const std::vector<T>& store, std::int64_t count) {
    const std::size_t n = static_cast<std::size_t>(
        std::clamp<std::int64_t>(count, 0, static_cast<std::int64_t>(store.size())));
    digestBytes(digest,
                std::string_view(reinterpret_cast<const char*>(store.data()), n * sizeof(T)));
}

}  // namespace

bool glMapImageUsable(const db::Database& db, std::int64_t id) {
    const std::int64_t images = std::min<std::int64_t>(db.mapdataCount, db.mapdatas.size());
    if (id <= 0 || id >= images) return false;
    const db::Mapdata& d = db.mapdatas[id];
    const std::uint64_t bytes = std::uint64_t{d.width} * d.height * db::bytesPerPixel(d.kind);
    return bytes > 0 && d.offset + bytes <= db.textureBuffer.size();
}

void buildGlScene(GlScene& scene, script::Interp& in, int viewMode) {
    scene.vertices.clear();
    scene.batches.clear();
    const std::optional<GlViewMode> mode = glViewMode(viewMode);
    if (!mode) {
        in.msg.console(msg::kGlBadViewMode);
        return;
    }
    scene.lines = mode->lines;
    std::vector<TurnedFace> turned;
    const db::Database& db = db::database(in);
    for (int i = 0; i < db.shapeCount && static_cast<std::size_t>(i) < db.shapes.size(); ++i)
        buildShape(scene, in, i, *mode, turned);
}

std::uint64_t glSceneDigest(const script::Interp& in, int viewMode) {
    const db::Database& db = *in.db;
    std::uint64_t d = static_cast<std::uint64_t>(viewMode);
    digestStore(d, db.axes, db.axisCount);
    digestStore(d, db.patches, db.patchCount);
    digestStore(d, db.shapes, db.shapeCount);
    digestStore(d, db.blocks, db.blockCount);
    digestStore(d, db.affines, db.affineCount);
    digestStore(d, db.attributes, db.attributeCount);
    digestStore(d, db.maplists, db.maplistCount);
    digestStore(d, db.mapinfos, db.mapinfoCount);
    digestStore(d, db.mapdatas, db.mapdataCount);
    digestStore(d, db.textureBuffer, db.textureBytesUsed);
    digestStore(d, db.editList, db::kEditListSize);
    digestBytes(d, std::string_view(reinterpret_cast<const char*>(&db.geometry.current),
                                    sizeof(db.geometry.current)));
    return d;
}

}  // namespace rz::render
