#include "db/capacity.hpp"

#include <string_view>

#include "script/tokens.hpp"

namespace rz::db {
namespace {

// A store is full when count + needed reaches its limit.
bool full(std::int64_t count, std::int64_t needed, std::int64_t limit) {
    return count + needed >= limit;
}

script::Result refuse(platform::MessageService& msg, std::string_view text) {
    msg.errorBox(text);
    return script::kFail;
}

}  // namespace

script::Result checkModelSpace(const Database& db, platform::MessageService& msg, std::int64_t axes,
                               std::int64_t patches, std::int64_t shapes) {
    if (full(db.shapeCount, shapes, shapeCapacity(db))) return refuse(msg, msg::kShapeFull);
    if (full(db.patchCount, patches, patchCapacity(db))) return refuse(msg, msg::kPatchFull);
    if (full(db.axisCount, axes, usableAxisLimit(db))) return refuse(msg, msg::kAxisFull);
    return script::kOk;
}

script::Result checkShapeSpace(const Database& db, platform::MessageService& msg,
                               std::int64_t shapes, std::int64_t axes, std::int64_t affines) {
    if (full(db.shapeCount, shapes, shapeCapacity(db))) return refuse(msg, msg::kShapeFull);
    if (full(db.affineCount, affines, affineCapacity(db))) return refuse(msg, msg::kAffineFull);
    if (full(db.axisCount, axes, usableAxisLimit(db))) return refuse(msg, msg::kAxisFull);
    return script::kOk;
}

script::Result checkAffineSpace(const Database& db, platform::MessageService& msg) {
    if (db.affineCount >= affineCapacity(db)) return refuse(msg, msg::kAffineFull);
    return script::kOk;
}

}  // namespace rz::db
