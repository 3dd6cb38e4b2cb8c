#pragma once
// Room in the block store, for the commands that open blocks of their own.

#include <cstdint>

#include "db/database.hpp"
#include "platform/message_service.hpp"

namespace rz::geometry {

// The blocks that can be numbered: block numbers travel in 16-bit fields.
std::int64_t blockCapacity(const db::Database& db);

void reportBlockStoreFull(platform::MessageService& msg, std::int64_t capacity);

}  // namespace rz::geometry
