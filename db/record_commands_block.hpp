#pragma once
// The block commands: blocks group shapes into parts.

#include "db/database.hpp"
#include "script/interp.hpp"

namespace rz::db {

int cmdSetBlock(script::Interp& in);
int cmdSaveBlock(script::Interp& in);
int cmdNewBlock(script::Interp& in);
int cmdAddBlock(script::Interp& in);
int cmdNumBlock(script::Interp& in);
int cmdLoadBlock(script::Interp& in);
int cmdDeleteBlock(script::Interp& in);
int cmdCapaBlock(script::Interp& in);
int cmdSetBlockcount(script::Interp& in);

// Deletes every block from 1 on whose layer is 1; the shapes of a deleted block go to
// block 0 and those of later blocks follow their block down. Gives where the block
// numbered `follow` ended up, or -1 when it was deleted itself.
int deleteActiveBlocks(Database& db, int follow = -1);

}  // namespace rz::db
