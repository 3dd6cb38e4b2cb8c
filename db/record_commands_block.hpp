#pragma once
// The block commands: blocks group shapes into parts.

#include <span>

#include "db/database.hpp"
#include "script/command_table.hpp"
#include "script/interp.hpp"

namespace rz::db {

// The commands of this file, as rows for the command table.
std::span<const script::CommandRow> blockCommands();

// Deletes every block from 1 on whose layer is 1, as deleteBlocks does. Gives where the
// block numbered `follow` ended up, or -1 when it was deleted itself.
int deleteActiveBlocks(Database& db, int follow = -1);

// new.block without its bounding box, which needs the shapes' geometry: the next block
// takes every selected shape and becomes current. Gives its number, or -1 when the store
// is full (reported).
int beginNewBlock(script::Interp& in);
// Drops the blocks left empty and selects block k where it ended up.
void endNewBlock(script::Interp& in, int k);
// add.block without its bounding box: the dialogs' target block takes every selected
// shape and becomes current. Gives the block, 0 when no block is the target (reported),
// or -1 after a failure message.
int addSelectionToBlock(script::Interp& in);

}  // namespace rz::db
