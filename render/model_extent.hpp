#pragma once
// The extent of the model as the camera commands take it: the stored boxes of all shapes,
// as they are (bbox.gen rebuilds them), folded from +-999999.

#include "db/database.hpp"
#include "math/value_types.hpp"

namespace rz::render {

inline constexpr float kExtentStart = 999999.0f;

struct Extent {
    Vec3 min{kExtentStart, kExtentStart, kExtentStart};
    Vec3 max{-kExtentStart, -kExtentStart, -kExtentStart};
};

Extent storedShapesExtent(const db::Database& db);

}  // namespace rz::render
