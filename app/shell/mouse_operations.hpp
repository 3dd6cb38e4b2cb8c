#pragma once
// The interactive operations in the views: what left-button presses, drags and releases do
// in the current mouse mode, each ending in the statements a script would run.

#include <QPoint>
#include <functional>

#include "app/shell/command_port.hpp"
#include "app/shell/interface_state.hpp"
#include "render/views.hpp"

namespace rz::app {

class MouseOperations {
  public:
    MouseOperations(CommandPort& port, render::Views& views, InterfaceState& state);

    // Called when an operation a menu began (state.mouse) is over: the window re-enables
    // its menu bar and takes input again.
    std::function<void()> ended;

    // Mouse events in the view area, in its pixels.
    void press(QPoint p);
    // True when something was drawn.
    bool drag(QPoint p);
    void release(QPoint p);
    // The right button during an operation: it ends with its closing statements.
    void finish();
    bool pending() const { return state_.mouse != MouseMode::None; }

  private:
    CommandPort& port_;
    render::Views& views_;
    InterfaceState& state_;
};

}  // namespace rz::app
