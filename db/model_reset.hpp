#pragma once
// Emptying the model: every record back to its start value, then the attribute and
// mapping variables reset and put into attribute 0 and mapinfo 0.

#include "script/interp.hpp"

namespace rz::db {

void resetModel(script::Interp& in);

}  // namespace rz::db
