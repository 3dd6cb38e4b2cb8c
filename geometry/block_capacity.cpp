#include "geometry/block_capacity.hpp"

#include <algorithm>
#include <array>
#include <cstdio>
#include <limits>

#include "db/capacity.hpp"
#include "geometry/geometry_messages.hpp"

namespace rz::geometry {

std::int64_t blockCapacity(const db::Database& db) {
    constexpr std::int64_t kBlockNumbers = std::numeric_limits<std::uint16_t>::max() + 1;
    return std::min(db::storeCapacity(db.capacity.blockmax, db.blocks), kBlockNumbers);
}

void reportBlockStoreFull(platform::MessageService& msg, std::int64_t capacity) {
    std::array<char, 128> text{};
    std::snprintf(text.data(), text.size(), msg::kBlockStoreFull, static_cast<int>(capacity));
    msg.errorBox(text.data());
}

}  // namespace rz::geometry
