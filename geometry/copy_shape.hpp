#pragma once
// Copies of shapes with their vertex edits applied: how an edited shape becomes explicit.

#include <cstdint>
#include <span>

#include "db/database.hpp"
#include "platform/message_service.hpp"
#include "script/tokens.hpp"

namespace rz::geometry {

// Layer that retires a shape: the drawing code passes over it.
inline constexpr std::uint8_t kRetiredLayer = 20;

// Kinds that exist only while vertex edits are applied.
inline constexpr std::uint8_t kPolygonCopy = 2;
inline constexpr std::uint8_t kGridCopy = 3;

// Adds delta to every vertex number of the face runs in entries (a run is -n followed by n
// vertex numbers; other entries are carried as they are), for axes that moved by delta.
void shiftFaceRuns(std::span<std::int32_t> entries, std::int64_t delta);

// Appends an explicit copy of the shape (kind 2 for a polygon mesh, 3 for a grid) on layer
// 20, with the shape's matrix and the current matrix applied, a fresh identity matrix, and
// the shape's vertex edits added. kFail after the message, with nothing appended.
script::Result copyShape(db::Database& db, platform::MessageService& msg, int shape);

// Replaces every shape that has vertex edits by an edited explicit copy and retires the
// original.
script::Result applyShapeEdits(db::Database& db, platform::MessageService& msg);

}  // namespace rz::geometry
