#pragma once
// Room in the model stores. Every capacity is the smaller of the configured one and what
// was really allocated, so a check can never let a write run past a store.

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <vector>

#include "db/database.hpp"
#include "platform/message_service.hpp"
#include "script/tokens.hpp"

namespace rz::db {

namespace msg {
inline constexpr std::string_view kShapeFull = " Shape データ記憶エリアが一杯です！！ ";
inline constexpr std::string_view kPatchFull = " Patch データ記憶エリアが一杯です！！ ";
inline constexpr std::string_view kAxisFull = " Axis データ記憶エリアが一杯です！！ ";
inline constexpr std::string_view kAffineFull = " Affine データ記憶エリアが一杯です！！ ";
}  // namespace msg

template <class T>
std::int64_t storeCapacity(std::int32_t configured, const std::vector<T>& store) {
    return std::min<std::int64_t>(configured, static_cast<std::int64_t>(store.size()));
}

inline std::int64_t axisCapacity(const Database& db) {
    return storeCapacity(db.capacity.axismax, db.axes);
}
// Checked operations leave the last 1000 axes free.
inline std::int64_t usableAxisLimit(const Database& db) {
    return std::min<std::int64_t>(db.usableAxisLimit(), axisCapacity(db));
}
inline std::int64_t patchCapacity(const Database& db) {
    return storeCapacity(db.capacity.patchmax, db.patches);
}
inline std::int64_t shapeCapacity(const Database& db) {
    return storeCapacity(db.capacity.shapemax, db.shapes);
}
inline std::int64_t affineCapacity(const Database& db) {
    return storeCapacity(db.capacity.affinemax, db.affines);
}

// Shapes, then patch entries, then axes; the first store without room is reported.
script::Result checkModelSpace(const Database& db, platform::MessageService& msg, std::int64_t axes,
                               std::int64_t patches, std::int64_t shapes);
// Shapes, then affine matrices, then axes.
script::Result checkShapeSpace(const Database& db, platform::MessageService& msg,
                               std::int64_t shapes, std::int64_t axes, std::int64_t affines);
// One more affine matrix.
script::Result checkAffineSpace(const Database& db, platform::MessageService& msg);

}  // namespace rz::db
