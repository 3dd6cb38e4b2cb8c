#pragma once
// The box cursor in the panes: the box box.s-box.e, a handle on each corner and the
// direction marker (a small square with the letter of direc), in C.ANKER, or in C.ACTIVE
// while a block tool is pending. It is drawn with XOR, so the views keep what they drew
// last (Views::cursor) and take it away by drawing that again.

#include "render/pane_layout.hpp"
#include "render/views.hpp"
#include "script/interp.hpp"

namespace rz::render {

using PaneMask = std::array<bool, kMaxPanes>;

// Takes away the cursor drawn last, where it is still drawn.
void eraseBoxCursor(Views& views);

// Draws the cursor of the variables and the cursor state into the panes of the mask (those
// of the layout), over what eraseBoxCursor left.
void drawBoxCursor(Views& views, script::Interp& in, const PaneMask& panes);

// The handles, box rectangles and markers of every pane of the layout for the cursor of
// the variables, as the mouse tools pick them; the cursor state's panes beyond the layout
// are emptied.
void refreshCursorPanes(const Views& views, script::Interp& in);

// Every pane of the layout.
PaneMask allPanes(const Views& views);

// The views' redraw hook of the box cursor: the outline drawn last is taken away, the
// cursor drawn again in every pane while it is shown, and the handles of every pane brought
// up to date for the mouse. Without started views nothing happens.
void redrawBoxCursor(script::Interp& in);

}  // namespace rz::render
