#pragma once
// The .pts script that rebuilds the geometry as one shape in one block of the main program.

#include <iosfwd>

#include "polyconv/geometry.hpp"

namespace rz::polyconv {

// Written to out as it is made; out's state tells whether it all arrived.
void write_pts_script(const Geometry& geometry, std::ostream& out);

}  // namespace rz::polyconv
