#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "fileio/model_export.hpp"
#include "geometry/block_transform.hpp"
#include "geometry/expand_shape.hpp"
#include "geometry/expanded_shape.hpp"
#include "math/matrix_math.hpp"
#include "script/tokens.hpp"

namespace rz::fileio {
namespace {

using script::kFail;
using script::kOk;

constexpr std::string_view kBadPatchData = " パッチデータ列に異常があります！！ ";
constexpr std::uint8_t kHiddenLayer = 2;
constexpr const char* kFaceIndent = "                    ";

constexpr std::string_view kHeader =
    "#VRML V1.0 ascii\n"
    "# Data Converted By ZIVOZI/3D-Viewer VRML Edition v1.0 Beta01\n\n"
    "DEF ZIVOZIObject Separator {\n\n"
    "ShapeHints {\n"
    "        vertexOrdering  UNKNOWN_ORDERING\n"
    "        faceType        CONVEX\n"
    "}\n";

// Grid values this close to zero are rounding noise of the generators.
double clean(double v) {
    return std::fabs(v) <= 1e-10 ? 0.0 : v;
}

// Between list entries, and after the last one.
const char* separator(std::size_t i, std::size_t count) {
    return i + 1 < count ? ", \n" : "\n";
}

// The vertices a shape exports: a polygon mesh its own axes, a grid (explicit or expanded)
// its nu x nv vertices.
struct ShapeVertices {
    std::span<const db::Axis> vertices;
    int nu = 0;
    int nv = 0;
    bool grid = false;
};

class VrmlWriter {
  public:
    VrmlWriter(db::Database& db, platform::MessageService& msg, OutputFile& out, float scale,
               bool mapping)
        : db_(db), msg_(msg), out_(out), scale_(scale), mapping_(mapping) {}

    script::Result run();

  private:
    script::Result shape(std::int32_t index);
    void material(const db::Shape& s);
    void points(const ShapeVertices& v, const Mat4& placement);
    void normals(const ShapeVertices& v, bool reversed);
    void textureCoordinates(const ShapeVertices& v);
    void gridFaces(const ShapeVertices& v, bool reversed);
    void polygonFaces(const db::Shape& s, std::size_t vertexCount);

    db::Database& db_;
    platform::MessageService& msg_;
    OutputFile& out_;
    float scale_;
    bool mapping_;
};

script::Result VrmlWriter::run() {
    out_.write(kHeader.data(), kHeader.size());
    const std::int32_t blocks =
        std::min<std::int32_t>(db_.blockCount, static_cast<std::int32_t>(db_.blocks.size()));
    // Expansions append shapes behind the model; they are never visited themselves.
    const std::int32_t shapes = db_.shapeCount;
    for (std::int32_t b = 1; b < blocks && out_.ok(); ++b) {
        if (db_.blocks[b].layer == kHiddenLayer) continue;
        out_.print("    DEF block_%d Separator {\n", b);
        for (std::int32_t i = 0; i < shapes && out_.ok(); ++i) {
            const db::Shape& s = db_.shapes[i];
            if (s.shapeId != static_cast<std::uint32_t>(b) || s.layer == kHiddenLayer) continue;
            if (shape(i) != kOk) return kFail;
        }
        out_.print("    }\n\n");
    }
    out_.print("}\n");
    return kOk;
}

script::Result VrmlWriter::shape(std::int32_t index) {
    if (geometry::beginShapePlacement(db_, msg_, index) != kOk) return kFail;
    const Mat4 placement = db_.geometry.current;
    if (geometry::endShapePlacement(db_, msg_) != kOk) return kFail;

    const db::Shape& s = db_.shapes[index];
    out_.print("        Separator {\n");
    material(s);
    ShapeVertices v;
    const geometry::ExpandedShape expanded(db_, msg_, index);
    if (expanded.status() != kOk) return kFail;
    if (s.kind == db::kShapePolygon) {
        const std::size_t first = std::min<std::size_t>(s.axisId, db_.axisCount);
        const std::size_t count = std::min<std::size_t>(s.axisTotal, db_.axisCount - first);
        v.vertices = {db_.axes.data() + first, count};
    } else if (!expanded.grid().vertices.empty()) {
        const geometry::GridView& g = expanded.grid();
        v = {g.vertices, g.nu, g.nv, true};
    } else {
        out_.print("        }\n");
        return kOk;
    }
    const bool reversed = v.grid && s.lrflag == 1;
    points(v, placement);
    if (mapping_) {
        normals(v, reversed);
        if (s.textureId != 0) textureCoordinates(v);
    }
    out_.print("            IndexedFaceSet {\n                coordIndex [\n");
    if (v.grid) {
        gridFaces(v, reversed);
    } else {
        polygonFaces(s, v.vertices.size());
    }
    out_.print("                ]\n            }\n\n        }\n");
    return kOk;
}

void VrmlWriter::material(const db::Shape& s) {
    // A shape naming an attribute beyond the store is shown in attribute 0, as drawn.
    const db::Attribute& a =
        db_.attributes[s.attribId < db_.attributes.size() ? s.attribId : std::size_t{0}];
    out_.print("            Material {\n");
    out_.printVector("                diffuseColor  %f %f %f\n", a.rgb);
    out_.printVector("                specularColor %f %f %f\n", a.prg);
    out_.printVector("                ambientColor %f %f %f\n", a.arg);
    out_.print("                shininess    %f\n", double{a.gainC});
    out_.print("            }\n\n");
}

void VrmlWriter::points(const ShapeVertices& v, const Mat4& placement) {
    out_.print("            Coordinate3 {\n                point [\n");
    const std::size_t n = v.vertices.size();
    for (std::size_t i = 0; i < n; ++i) {
        const Vec3& wv = v.vertices[i].wv;
        Vec3 p = transformPoint(Vec3{wv[0] * scale_, wv[1] * scale_, wv[2] * scale_}, placement);
        if (v.grid)
            for (float& c : p) c = static_cast<float>(clean(c));
        out_.print("                %g %g %g%s", double{p[0]}, double{p[1]}, double{p[2]},
                   separator(i, n));
    }
    out_.print("                ]\n            }\n\n");
}

void VrmlWriter::normals(const ShapeVertices& v, bool reversed) {
    out_.print("            Normal {\n                vector [\n");
    const std::size_t n = v.vertices.size();
    const double sign = reversed ? -1.0 : 1.0;
    for (std::size_t i = 0; i < n; ++i) {
        std::array<double, 3> d{};
        for (int c = 0; c < 3; ++c) {
            d[c] = v.vertices[i].nv[c];
            if (v.grid) d[c] = clean(sign * d[c]);
        }
        out_.print("                %g %g %g%s", d[0], d[1], d[2], separator(i, n));
    }
    out_.print("                ]\n            }\n\n");
    out_.print("            NormalBinding {\n                value PER_VERTEX \n            }\n");
}

void VrmlWriter::textureCoordinates(const ShapeVertices& v) {
    out_.print("            TextureCoordinate2 {\n                point [\n");
    const std::size_t n = v.vertices.size();
    for (std::size_t i = 0; i < n; ++i)
        out_.print("                %g %g%s", double{v.vertices[i].u}, double{v.vertices[i].v},
                   separator(i, n));
    out_.print("                ]\n            }\n\n");
}

void VrmlWriter::gridFaces(const ShapeVertices& v, bool reversed) {
    const std::size_t nu = static_cast<std::size_t>(v.nu);
    const std::size_t cells = (nu - 1) * static_cast<std::size_t>(v.nv - 1);
    std::size_t written = 0;
    for (std::size_t r = 0; r + 1 < static_cast<std::size_t>(v.nv); ++r)
        for (std::size_t c = 0; c + 1 < nu; ++c) {
            const std::size_t a = r * nu + c;
            const std::array<std::size_t, 4> corner{a, a + nu, a + nu + 1, a + 1};
            // A corner at the same place as the next one is dropped: a cell with a
            // collapsed edge becomes a triangle.
            std::array<std::size_t, 4> kept{};
            std::size_t count = 0;
            for (std::size_t k = 0; k < 4; ++k)
                if (v.vertices[corner[k]].wv != v.vertices[corner[(k + 1) % 4]].wv)
                    kept[count++] = corner[k];
            std::array<char, 96> line{};
            char* p = line.data();
            char* end = line.data() + line.size();
            for (std::size_t k = 0; k < count; ++k) {
                p = std::to_chars(p, end, kept[reversed ? count - 1 - k : k]).ptr;
                *p++ = ',';
                *p++ = ' ';
            }
            ++written;
            out_.print("%s%.*s-1%s", kFaceIndent, static_cast<int>(p - line.data()), line.data(),
                       written < cells ? ",\n" : "\n");
        }
}

void VrmlWriter::polygonFaces(const db::Shape& s, std::size_t vertexCount) {
    const std::size_t first = std::min<std::size_t>(s.patchId, db_.patchCount);
    const std::size_t total = std::min<std::size_t>(s.patchTotal, db_.patchCount - first);
    const std::span<const std::int32_t> entries(db_.patches.data() + first, total);
    std::size_t i = 0;
    while (i < total) {
        const std::int64_t head = entries[i];
        const std::size_t n = head < 0 ? static_cast<std::size_t>(-head) : 0;
        bool valid = head < 0 && n <= total - i - 1;
        for (std::size_t k = 1; valid && k <= n; ++k) {
            const std::int64_t rel = std::int64_t{entries[i + k]} - s.axisId;
            valid = rel >= 0 && rel < static_cast<std::int64_t>(vertexCount);
        }
        // A broken run ends the shape's faces; the faces before it stay, the file stays whole.
        if (!valid) {
            msg_.errorBox(kBadPatchData);
            return;
        }
        out_.print("%s", kFaceIndent);
        for (std::size_t k = 1; k <= n; ++k)
            out_.print("%lld, ", static_cast<long long>(entries[i + k]) - s.axisId);
        i += n + 1;
        out_.print("-1%s", i < total ? ", \n" : " \n");
    }
}

}  // namespace

script::Result writeVrml(db::Database& db, platform::MessageService& msg, OutputFile& out,
                         float scale, bool mapping) {
    return VrmlWriter(db, msg, out, scale, mapping).run();
}

}  // namespace rz::fileio
