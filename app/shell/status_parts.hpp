#pragma once
// The three parts of the main window's status bar.

#include <array>

namespace rz::app {

// The right edges of the three parts for a main window of this outer width: with
// w = width + 1, w/2 + w/10, then that plus w/4, then that plus w/10.
std::array<int, 3> statusPartEdges(int outerWidth);

}  // namespace rz::app
