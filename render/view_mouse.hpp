#pragma once
// The left mouse button in the view area, as the window hands it on: the pane under the
// pointer becomes a geometry::PaneMouse for the box-cursor tools, which move the cursor and
// ask the views to draw it again through the cursor's redraw hook.

#include "geometry/cursor_mouse.hpp"
#include "render/pane_pick.hpp"
#include "render/views.hpp"
#include "script/interp.hpp"

namespace rz::render {

// The pane under a pixel of the view area with its projection, for as long as the object
// lives (the PaneMouse points into it). Nothing found outside every pane.
class PaneUnderMouse {
  public:
    PaneUnderMouse(const Views& views, script::Interp& in, int x, int y);
    PaneUnderMouse(const PaneUnderMouse&) = delete;
    PaneUnderMouse& operator=(const PaneUnderMouse&) = delete;

    bool found() const { return found_; }
    const geometry::PaneMouse& mouse() const { return mouse_; }

  private:
    CursorPaneProjector projector_;
    geometry::PaneMouse mouse_;
    bool found_ = false;
};

void viewMousePress(Views& views, script::Interp& in, int x, int y);
// True when the cursor moved.
bool viewMouseDrag(Views& views, script::Interp& in, int x, int y);
// Where the button comes up does not matter to any tool.
void viewMouseRelease(Views& views, script::Interp& in, int x, int y);

}  // namespace rz::render
