#pragma once
// The attribute (material) commands, with the trial attribute that shows the variables on
// the selected shapes before they are stored.

#include <span>

#include "db/database.hpp"
#include "script/command_table.hpp"
#include "script/interp.hpp"

namespace rz::db {

// The record test.atr shows on the selected shapes: two past the attribute count.
inline std::int32_t trialAttribute(const Database& db) {
    return db.attributeCount + 2;
}

// The commands of this file, as rows for the command table.
std::span<const script::CommandRow> attributeCommands();

}  // namespace rz::db
