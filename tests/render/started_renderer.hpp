#pragma once
// A started workstation for the renderer's tests: its C-Buffer read back, hashed, and scenes
// built through the command language.

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "tests/render/started_views.hpp"

namespace rz::test {

inline db::Settings rendererSettings(int threads, int zbufFlag = 2) {
    db::Settings s;
    s.renderThreads = threads;
    s.zbufFlag = static_cast<std::uint8_t>(zbufFlag);
    return s;
}

struct Pixel {
    int r, g, b, a;
    friend bool operator==(const Pixel&, const Pixel&) = default;
};

inline Pixel cbufPixel(const db::Database& db, int x, int y) {
    const std::uint8_t* p =
        db.colorBuffer.pixels.data() + (static_cast<std::size_t>(y) * db.colorBuffer.width + x) * 4;
    return {p[0], p[1], p[2], p[3]};
}

inline std::uint64_t cbufHash(const db::Database& db) {
    std::uint64_t h = 1469598103934665603ull;
    for (const std::uint8_t b : db.colorBuffer.pixels) h = (h ^ b) * 1099511628211ull;
    return h;
}

}  // namespace rz::test

namespace rz::test {

struct Face {
    std::vector<int> corners;  // indices into the points
};

// A polygon-mesh shape of the points and faces, every vertex normal +z, with attribute
// `attribute`; appended to the stores as a loaded model would be.
inline void addPolygonShape(db::Database& db, const std::vector<Vec3>& points,
                            const std::vector<Face>& faces, int attribute = 1,
                            std::uint8_t layer = 0) {
    db::Shape s;
    s.kind = db::kShapePolygon;
    s.attribId = static_cast<std::uint16_t>(attribute);
    s.layer = layer;
    s.axisId = static_cast<std::uint32_t>(db.axisCount);
    s.axisTotal = static_cast<std::uint32_t>(points.size());
    s.patchId = static_cast<std::uint32_t>(db.patchCount);
    s.bbmin = {1e9f, 1e9f, 1e9f};
    s.bbmax = {-1e9f, -1e9f, -1e9f};
    for (const Vec3& p : points) {
        db.axes[db.axisCount++] = {p, {0, 0, 1}, 0, 0};
        for (int k = 0; k < 3; ++k) {
            s.bbmin[k] = std::min(s.bbmin[k], p[k]);
            s.bbmax[k] = std::max(s.bbmax[k], p[k]);
        }
    }
    for (const Face& f : faces) {
        db.patches[db.patchCount++] = -static_cast<std::int32_t>(f.corners.size());
        for (int c : f.corners)
            db.patches[db.patchCount++] = static_cast<std::int32_t>(s.axisId) + c;
    }
    s.patchTotal = static_cast<std::uint32_t>(db.patchCount) - s.patchId;
    db.shapes[db.shapeCount++] = s;
}

// A square of half-size h at depth z facing +z.
inline void addSquare(db::Database& db, float h, float z, int attribute = 1) {
    addPolygonShape(db, {{-h, -h, z}, {h, -h, z}, {h, h, z}, {-h, h, z}}, {{{0, 1, 2, 3}}},
                    attribute);
}

// With this camera (90 degrees wide, 1000 away) a point (x, y, 0) lands on
// the FAST image at pixel ((x / 1000 + 1) * 320, (0.75 - y / 1000) * 320).
inline const std::string kSquareCamera =
    "c.pos = (0, 0, 1000); c.tar = (0, 0, 0); c.upper = (0, 1, 0); c.rot = (0, 0, 0); "
    "c.zoom = 90; c.hither = 50; c.yon = 100000;";

}  // namespace rz::test
