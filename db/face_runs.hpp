#pragma once
// The faces of a polygon shape: its patch entries hold runs of -n followed by n absolute axis
// numbers. The drawing and the renderer walk them the same way.

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "db/database.hpp"

namespace rz::db {

// Calls visit(face, n) for every face of shape s. A face that names an axis at or beyond
// axisCount is left out; a run that would pass the shape's entries (or patchCount) ends the
// walk, so a damaged shape never reads outside the patch store.
template <class Visit>
void forEachFace(const Database& db, const Shape& s, std::int32_t patchCount,
                 std::int32_t axisCount, Visit&& visit) {
    const std::size_t end = std::min<std::size_t>(
        std::size_t{s.patchId} + s.patchTotal,
        std::min<std::size_t>(static_cast<std::size_t>(std::max(patchCount, 0)),
                              db.patches.size()));
    std::size_t k = s.patchId;
    while (k < end) {
        const std::int32_t head = db.patches[k];
        if (head >= 0) {
            ++k;
            continue;
        }
        const std::size_t n = static_cast<std::size_t>(-static_cast<std::int64_t>(head));
        if (n > end - k - 1) return;
        const std::int32_t* face = db.patches.data() + k + 1;
        const bool valid = std::all_of(face, face + n, [&](std::int32_t a) {
            return a >= 0 && a < axisCount && static_cast<std::size_t>(a) < db.axes.size();
        });
        if (valid) visit(face, n);
        k += n + 1;
    }
}

}  // namespace rz::db
