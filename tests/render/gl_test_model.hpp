#pragma once
// Model records built in place for the OpenGL preview's tests.

#include <cstdint>

#include "db/database.hpp"

namespace rz::test {

// A square of side 2 * half in the plane z = depth, centred on (x, y), as a 2 x 2 vertex grid
// of block 1 whose cell is wound counter-clockwise seen from +z. Its index.
inline int addSquare(db::Database& db, float x, float y, float depth, float half,
                     std::uint8_t lrflag = 0) {
    if (db.blockCount < 2) db.blockCount = 2;
    const auto first = static_cast<std::uint32_t>(db.axisCount);
    // Row r, column c lies at (x0 + r * side, y0 + c * side).
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 2; ++c)
            db.axes[db.axisCount++] =
                db::Axis{{x - half + 2 * half * r, y - half + 2 * half * c, depth},
                         {0, 0, 1},
                         static_cast<float>(r),
                         static_cast<float>(c)};
    const auto header = static_cast<std::uint32_t>(db.patchCount);
    db.patches[db.patchCount++] = -2;
    db.patches[db.patchCount++] = 2;
    db.patches[db.patchCount++] = 2;
    db::Shape& s = db.shapes[db.shapeCount];
    s = db::Shape{};
    s.shapeId = 1;
    s.kind = db::kShapeGrid;
    s.axisId = first;
    s.axisTotal = 4;
    s.patchId = header;
    s.patchTotal = 3;
    s.lrflag = lrflag;
    return db.shapeCount++;
}

// Lays map image 1, a 2 x 2 red-green-blue image of one colour, on the shape through map
// list entry 1 and mapinfo 1.
inline void mapOneColour(db::Database& db, int shape, std::uint8_t r, std::uint8_t g,
                         std::uint8_t b) {
    for (std::size_t k = 0; k < 12; k += 3) {
        db.textureBuffer[k] = r;
        db.textureBuffer[k + 1] = g;
        db.textureBuffer[k + 2] = b;
    }
    db.textureBytesUsed = 12;
    db.mapdatas[1] = db::Mapdata{db::kColorMap24, 2, 2, 0, 0, 12};
    db.mapdataCount = 2;
    db.mapinfos[1].kind = db::kColorMap24;
    db.mapinfos[1].texId = 1;
    db.mapinfoCount = 2;
    db.maplists[1] = db::Maplist{1, 0};
    db.maplistCount = 2;
    db.shapes[shape].textureId = 1;
}

}  // namespace rz::test
