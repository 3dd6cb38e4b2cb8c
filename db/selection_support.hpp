#pragma once
// What the layer and selection commands share: their one optional whole-number argument,
// and the redraw request they send to the views.

#include <cstdint>

#include "db/selection_state.hpp"
#include "script/interp.hpp"

namespace rz::db {

// Nothing (then `fallback`), or a number (with its sign), named constant or scalar variable,
// truncated toward zero, that ends the statement.
script::Result optionalWhole(script::Interp& in, std::int32_t fallback, std::int32_t& out);

// Asks the views to draw the highlighted records with `value`; nothing without views.
void requestRedraw(script::Interp& in, int value, bool clearFirst = false);

}  // namespace rz::db
