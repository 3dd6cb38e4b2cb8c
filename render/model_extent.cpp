#include "render/model_extent.hpp"

#include <algorithm>

namespace rz::render {

Extent storedShapesExtent(const db::Database& db) {
    Extent e;
    for (int i = 0; i < db.shapeCount; ++i) {
        const db::Shape& s = db.shapes[i];
        for (int c = 0; c < 3; ++c) {
            e.min[c] = std::min(e.min[c], s.bbmin[c]);
            e.max[c] = std::max(e.max[c], s.bbmax[c]);
        }
    }
    return e;
}

}  // namespace rz::render
