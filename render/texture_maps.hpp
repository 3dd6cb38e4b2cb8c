#pragma once
// The shape's chain of texture maps and where a surface point falls in a map's image: the
// pieces that finish, perturb and intensity share.

#include <algorithm>
#include <cstdint>
#include <optional>

#include "db/database.hpp"
#include "render/shading.hpp"

namespace rz::render {

// Map kinds (m.kind).
inline constexpr std::int16_t kMapByImage = 1;  // channels as the image has them
inline constexpr std::int16_t kColorMap24 = 2;
inline constexpr std::int16_t kColorMap32 = 3;
inline constexpr std::int16_t kAlphaMap = 4;
inline constexpr std::int16_t kBumpMap = 11;
inline constexpr std::int16_t kReversedBumpMap = 12;
inline constexpr std::int16_t kIntensityMap = 21;

// Map methods (m.method).
inline constexpr std::int16_t kUvMap = 1;
inline constexpr std::int16_t kDecalBox = 2;
inline constexpr std::int16_t kDecalBoxFirst = 3;  // DECALBOX.1; DECALBOX.n is 2 + n
inline constexpr std::int16_t kDecalBoxLast = 8;   // DECALBOX.6
inline constexpr std::int16_t kWorldBox = 9;

struct TexelPosition {
    int x = 0;
    int y = 0;
};

// Where the point falls in the map's image, or nothing when the map's method finds no texel
// there (outside its window, another face, an unknown method, an image without pixels).
std::optional<TexelPosition> locateTexel(const db::Database& db, const db::Mapinfo& map,
                                         const db::Mapdata& image, const SurfacePoint& at);

// Where a box method (DECALBOX, DECALBOX.1..6, WORLDBOX) puts a point with this position and
// normal, both in the space of the mapping box.
std::optional<TexelPosition> boxTexel(const db::Mapinfo& map, const db::Mapdata& image,
                                      const Vec3& position, const Vec3& normal);

// Calls visit(map, image) for every map of the shape's chain whose texture id names an image,
// in chain order, on a mapped surface only. A link or mapinfo number outside its store ends
// the chain, and so does a walk longer than the map-list store: a damaged model can neither
// make the walk read outside a store nor loop.
template <class Visit>
void forEachMap(const SurfaceShading& s, Visit&& visit) {
    if (!s.mapped || s.db == nullptr) return;
    const db::Database& db = *s.db;
    const auto inStore = [](std::int32_t count, std::size_t size) {
        return std::clamp<std::int64_t>(count, 0, static_cast<std::int64_t>(size));
    };
    const std::int64_t lists = inStore(db.maplistCount, db.maplists.size());
    const std::int64_t infos = inStore(db.mapinfoCount, db.mapinfos.size());
    const std::int64_t images = inStore(db.mapdataCount, db.mapdatas.size());
    std::int64_t entry = s.mapHead;
    for (std::int64_t step = 0; step < lists && entry > 0 && entry < lists; ++step) {
        const db::Maplist& link = db.maplists[static_cast<std::size_t>(entry)];
        if (link.mapinfo < 0 || link.mapinfo >= infos) return;
        const db::Mapinfo& map = db.mapinfos[static_cast<std::size_t>(link.mapinfo)];
        if (map.texId > 0 && map.texId < images)
            visit(map, db.mapdatas[static_cast<std::size_t>(map.texId)]);
        entry = link.next;
    }
}

namespace shading_math {
// A float truncated toward zero into an int, NaN as 0 and out-of-range values held at
// +-2^30, so that no damaged parameter makes the conversion undefined.
int truncated(double value);
}  // namespace shading_math

}  // namespace rz::render
