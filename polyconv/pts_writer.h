#pragma once

#include <string>

#include "geometry.h"

namespace polyconv {

// The .pts script that rebuilds the geometry as one shape in one block of the main program.
std::string write_pts_script(const Geometry& geometry);

}  // namespace polyconv
