#include "geometry/search_shape.hpp"

#include "geometry/geometry_messages.hpp"

namespace rz::geometry {

int searchShapeId(const db::Database& db, platform::MessageService& msg, int block, int n) {
    int seen = 0;
    for (int i = 0; i < db.shapeCount; ++i)
        if (static_cast<int>(db.shapes[i].shapeId) == block && ++seen == n) return i;
    msg.errorBox(msg::kCounterNotReached);
    return 0;
}

}  // namespace rz::geometry
