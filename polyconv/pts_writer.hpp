#pragma once
// The .pts script that rebuilds the geometry as one shape in one block of the main program.

#include <string>

#include "polyconv/geometry.hpp"

namespace rz::polyconv {

std::string write_pts_script(const Geometry& geometry);

}  // namespace rz::polyconv
