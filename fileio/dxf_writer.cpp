#include <array>
#include <cstddef>

#include "fileio/model_export.hpp"
#include "geometry/affine_slots.hpp"
#include "geometry/expand_shape.hpp"
#include "geometry/expanded_shape.hpp"
#include "math/matrix_math.hpp"
#include "script/tokens.hpp"

namespace rz::fileio {
namespace {

using script::kFail;
using script::kOk;

constexpr std::string_view kPolygonUnsupported = "Sorry! SHAPE_POLYGON is not supported!";

// One face: the entity with its layer, then each corner as x, z, y under the group codes
// 10 + k, 20 + k, 30 + k.
constexpr const char* kFace =
    " 0\n3DFACE\n 8\n%.*s\n"
    " 10\n%f\n 20\n%f\n 30\n%f\n"
    " 11\n%f\n 21\n%f\n 31\n%f\n"
    " 12\n%f\n 22\n%f\n 32\n%f\n"
    " 13\n%f\n 23\n%f\n 33\n%f\n";

bool samePosition(const db::Axis& a, const db::Axis& b) {
    return a.wv == b.wv;
}

// The corners of the cell whose first vertex is a. A cell with a collapsed edge keeps its
// doubled point last, so that a triangle reads as one in DXF.
std::array<std::size_t, 4> cellCorners(const geometry::GridView& g, std::size_t a) {
    const auto& v = g.vertices;
    const std::size_t b = a + static_cast<std::size_t>(g.nu);
    if (samePosition(v[b + 1], v[b])) return {a + 1, a, b, b + 1};
    if (samePosition(v[b + 1], v[a + 1])) return {a, b, b + 1, a + 1};
    if (samePosition(v[a], v[b])) return {b + 1, a + 1, a, b};
    return {b, b + 1, a + 1, a};
}

void writeGridFaces(OutputFile& out, const geometry::GridView& g, const Mat4& m,
                    std::string_view layer) {
    const int layerLength = static_cast<int>(layer.size());
    for (int r = 0; r + 1 < g.nv; ++r)
        for (int c = 0; c + 1 < g.nu; ++c) {
            const std::size_t a = static_cast<std::size_t>(r) * g.nu + c;
            std::array<Vec3, 4> p{};
            const auto corners = cellCorners(g, a);
            for (std::size_t k = 0; k < 4; ++k) p[k] = transformPoint(g.vertices[corners[k]].wv, m);
            out.print(kFace, layerLength, layer.data(), p[0][0], p[0][2], p[0][1], p[1][0], p[1][2],
                      p[1][1], p[2][0], p[2][2], p[2][1], p[3][0], p[3][2], p[3][1]);
        }
}

}  // namespace

script::Result writeDxf(db::Database& db, platform::MessageService& msg, OutputFile& out,
                        std::string_view layer) {
    out.print(" 0\nSECTION\n 2\nENTITIES\n");
    // Expansions append shapes behind the model; they are never visited themselves.
    const std::int32_t shapes = db.shapeCount;
    for (std::int32_t i = 0; i < shapes && out.ok(); ++i) {
        const db::Shape& s = db.shapes[i];
        if (s.kind == db::kShapePolygon) {
            msg.statusText(kPolygonUnsupported);
            continue;
        }
        if (s.kind != db::kShapeGrid && !geometry::isParametric(s.kind)) continue;
        // The shape's own matrix only; the current matrix the user is building stays.
        Mat4 own;
        if (!geometry::affineMatrix(db, msg, s.matrixId, own)) return kFail;
        const geometry::ExpandedShape expanded(db, msg, i);
        if (expanded.status() != kOk) return kFail;
        writeGridFaces(out, expanded.grid(), own, layer);
    }
    out.print(" 0\nENDSEC\n 0\nEOF\n");
    return kOk;
}

}  // namespace rz::fileio
