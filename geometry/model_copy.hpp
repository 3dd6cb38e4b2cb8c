#pragma once
// mdlcopy: copies of shapes in new blocks of their own, the originals left normal.

#include <span>

#include "db/database.hpp"
#include "platform/message_service.hpp"
#include "script/command_table.hpp"
#include "script/tokens.hpp"

namespace rz::geometry {

// Copies the shapes on layer 1 (every shape when layer is not 1). Each run of copied shapes
// from one block opens a new active block that starts as a copy of the source block without
// its joints; the copies take new axes, patch entries and matrices, and the sources and their
// blocks become normal. Nothing changes when the stores cannot hold every copy (reported).
script::Result copyShapes(db::Database& db, platform::MessageService& msg, int layer);

std::span<const script::CommandRow> modelCopyCommands();

}  // namespace rz::geometry
