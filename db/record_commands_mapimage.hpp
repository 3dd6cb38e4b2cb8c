#pragma once
// The map image commands: images cut from the colour buffer into the texture buffer, each
// described by a mapdata record.

#include <cstdint>

#include "db/database.hpp"
#include "script/interp.hpp"

namespace rz::db {

int cmdSetMapimage(script::Interp& in);
int cmdGetImagearea(script::Interp& in);
int cmdDispMapimage(script::Interp& in);
int cmdDelMapimage(script::Interp& in);
int cmdSetMdcount(script::Interp& in);

// Removes map image n (1 … mapdata count − 1) with its bytes; later images move down and
// mapinfos that showed it show none. False when the image's record does not describe
// bytes inside the texture buffer.
bool removeMapImage(Database& db, std::int32_t n);

}  // namespace rz::db
