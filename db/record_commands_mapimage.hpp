#pragma once
// The map image commands: images cut from the colour buffer into the texture buffer, each
// described by a mapdata record.

#include <cstdint>
#include <span>

#include "db/database.hpp"
#include "script/command_table.hpp"
#include "script/interp.hpp"

namespace rz::db {

// The commands of this file, as rows for the command table.
std::span<const script::CommandRow> mapimageCommands();

// Removes map image n (1 … mapdata count − 1) with its bytes; later images move down and
// mapinfos that showed it show none. False when the image's record does not describe
// bytes inside the texture buffer.
bool removeMapImage(Database& db, std::int32_t n);

}  // namespace rz::db
