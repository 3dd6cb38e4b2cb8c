#pragma once
// The model of the export tests, and reading back what the exporters wrote: the faces of a
// DXF file and the cells every shape of a model exports.

#include <array>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "db/database.hpp"
#include "geometry/affine_slots.hpp"
#include "geometry/expand_shape.hpp"
#include "geometry/expanded_shape.hpp"
#include "math/matrix_math.hpp"
#include "platform/message_service.hpp"

namespace rz::test {

// Block 1 moved by (10, 0, 0) holds a 2 x 2 grid with lrflag 1 and its own matrix (z + 5), in
// attribute 1 and texture 1, and a polygon triangle; hidden block 2 holds a four-corner face;
// a second grid on the same axes belongs to no block. Every number prints exactly.
inline const char* const kExportModel = R"(
let axis.wv 0 0 0; let axis.nv 0 0 1; let axis.u 0; let axis.v 0; axis.add;
let axis.wv 1 0 0; let axis.u 1; axis.add;
let axis.wv 0 1 0; let axis.u 0; let axis.v 1; axis.add;
let axis.wv 1 1 0; let axis.u 1; axis.add;
let axis.wv 0 0 0; let axis.nv 0 1 0; let axis.u 0; let axis.v 0; axis.add;
let axis.wv 2 0 0; axis.add;
let axis.wv 0 0 2; axis.add;
let axis.wv 0 0 0; let axis.nv 4 0 0; axis.add;
let axis.wv 0 0 4; let axis.nv 4 0 4; axis.add;
let patch.p -2; patch.add; let patch.p 2; patch.add; patch.add;
let patch.p -3; patch.add; let patch.p 4; patch.add; let patch.p 5; patch.add; let patch.p 6; patch.add;
let shape.id 1; let sh.kind 12; let sh.axis.id 0; let sh.axis.total 4; let sh.patch.id 0;
let sh.patch.total 3; let sh.matrix.id 1; let sh.attrib.id 1; let sh.texture.id 1;
let sh.lrflag 1; let sh.layer 0; shape.add;
let sh.kind 11; let sh.axis.id 4; let sh.axis.total 3; let sh.patch.id 3; let sh.patch.total 4;
let sh.matrix.id 0; let sh.attrib.id 0; let sh.texture.id 0; let sh.lrflag 0; shape.add;
let shape.id 2; let sh.kind 64; let sh.axis.id 7; let sh.axis.total 2; let sh.patch.id 0;
let sh.patch.total 0; shape.add;
let shape.id 0; let sh.kind 12; let sh.axis.id 0; let sh.axis.total 4; let sh.patch.total 3;
shape.add;
let matrix.a 1 0 0 0
 0 1 0 0
 0 0 1 0
 0 0 5 1
matrix.add;
load.block 1; let b.trans.v 10 0 0; set.block;
load.block 2; let b.layer 2; set.block;
load.atr 1; let a.rgb 0.5 0.25 1; let a.prg 0.75 0.75 0.75; let a.arg 0.125 0.25 0.375;
let gain.c 2; set.atr;
)";

using Point = std::array<double, 3>;

// A 3DFACE as read from a DXF file: its layer and four corners in DXF axes.
struct DxfFace {
    std::string layer;
    std::array<Point, 4> corners{};
};

// The 3DFACE entities of a DXF file, by their group codes.
inline std::vector<DxfFace> parseDxfFaces(const std::string& text) {
    std::vector<DxfFace> faces;
    std::istringstream in(text);
    std::string code;
    std::string value;
    while (std::getline(in, code) && std::getline(in, value)) {
        const int c = std::atoi(code.c_str());
        if (c == 0 && value == "3DFACE") faces.emplace_back();
        if (faces.empty()) continue;
        if (c == 8) faces.back().layer = value;
        if (c >= 10 && c <= 33 && c % 10 <= 3)
            faces.back().corners[c % 10][c / 10 - 1] = std::strtod(value.c_str(), nullptr);
    }
    return faces;
}

// The cells every exported shape is made of, in store order and row by row: the four corner
// positions a, a + nu, a + nu + 1, a + 1 of each, through the shape's own matrix.
inline std::vector<std::array<Point, 4>> modelCells(db::Database& db,
                                                    platform::MessageService& msg) {
    std::vector<std::array<Point, 4>> cells;
    const std::int32_t shapes = db.shapeCount;
    for (std::int32_t i = 0; i < shapes; ++i) {
        const db::Shape& s = db.shapes[i];
        if (s.kind != db::kShapeGrid && !geometry::isParametric(s.kind)) continue;
        Mat4 own;
        if (!geometry::affineMatrix(db, msg, s.matrixId, own)) continue;
        const geometry::ExpandedShape expanded(db, msg, i);
        const geometry::GridView& g = expanded.grid();
        for (int r = 0; r + 1 < g.nv; ++r)
            for (int c = 0; c + 1 < g.nu; ++c) {
                const std::size_t a = static_cast<std::size_t>(r * g.nu + c);
                const std::size_t nu = static_cast<std::size_t>(g.nu);
                std::array<Point, 4> cell{};
                const std::array<std::size_t, 4> corner{a, a + nu, a + nu + 1, a + 1};
                for (std::size_t k = 0; k < 4; ++k)
                    cell[k] = transformPoint(widen(g.vertices[corner[k]].wv), own);
                cells.push_back(cell);
            }
    }
    return cells;
}

// A model point in DXF axes: y and z trade places.
inline Point dxfAxes(const Point& p) {
    return {p[0], p[2], p[1]};
}

}  // namespace rz::test
