#include <array>

#include "geometry/copy_shape.hpp"
#include "geometry/edit_list.hpp"
#include "geometry/expanded_shape.hpp"
#include "math/vec_math.hpp"
#include "script/tokens.hpp"

namespace rz::geometry {
namespace {

constexpr std::uint8_t kSelectionMark = 100;

// The normal of grid vertex (i, j) from the cells around it: in each cell that exists, the
// triangle of the vertex and its two neighbours in that cell. The result keeps the side
// the vertex's normal was on before the edit.
Vec3d gridVertexNormal(const GridView& g, int i, int j, const Vec3d& before) {
    const auto at = [&](int col, int row) { return widen(g.vertices[row * g.nu + col].wv); };
    const Vec3d p = at(i, j);
    // Neighbours counter-clockwise in the grid: next column, next row, previous column,
    // previous row.
    const std::array<std::array<int, 2>, 4> steps{{{1, 0}, {0, 1}, {-1, 0}, {0, -1}}};
    const auto inside = [&](int k) {
        const int col = i + steps[k][0];
        const int row = j + steps[k][1];
        return col >= 0 && col < g.nu && row >= 0 && row < g.nv;
    };
    Vec3d sum{};
    for (int k = 0; k < 4; ++k) {
        const int next = (k + 1) % 4;
        if (!inside(k) || !inside(next)) continue;
        const Vec3d a = at(i + steps[k][0], j + steps[k][1]) - p;
        const Vec3d b = at(i + steps[next][0], j + steps[next][1]) - p;
        sum = sum + normalised(cross(a, b));
    }
    const Vec3d n = normalised(sum);
    return dot(n, before) < 0.0 ? n * -1.0 : n;
}

void recomputeEditedNormals(db::Database& db, const db::Shape& copy, std::uint32_t edits) {
    const GridView g = explicitGrid(db, copy);
    if (g.nu == 0) return;
    forEachEdit(db, edits, [&](const db::EditRecord& e) {
        if (e.offset < 0 || e.offset >= g.nu * g.nv) return;
        db::Axis& a = db.axes[copy.axisId + e.offset];
        a.nv = narrow(gridVertexNormal(g, e.offset % g.nu, e.offset / g.nu, widen(a.nv)));
    });
}

}  // namespace

script::Result applyShapeEdits(db::Database& db, platform::MessageService& msg) {
    // The count is read afresh at every step; the copies it appends carry no edits.
    for (int i = 0; i < db.shapeCount; ++i) {
        const db::Shape& src = db.shapes[i];
        // A retired original keeps its list; its edits already live in its copy.
        if (src.editHead == db::kNoEdits || src.layer == kRetiredLayer) continue;
        if (copyShape(db, msg, i) != script::kOk) return script::kFail;
        db::Shape& copy = db.shapes[db.shapeCount - 1];
        copy.layer = src.layer >= kSelectionMark ? src.layer - kSelectionMark : src.layer;
        const bool grid = copy.kind == kGridCopy;
        copy.kind = grid ? db::kShapeGrid : db::kShapePolygon;
        if (grid) recomputeEditedNormals(db, copy, src.editHead);
        db.shapes[i].layer = kRetiredLayer;
    }
    return script::kOk;
}

}  // namespace rz::geometry
