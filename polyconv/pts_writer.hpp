#pragma once
// The .pts script that rebuilds the geometry in the main program: one shape in one block, or
// with every mesh of a file, a shape and a block for each.

#include <iosfwd>

#include "polyconv/geometry.hpp"

namespace rz::polyconv {

// Written to out as it is made; out's state tells whether it all arrived.
void write_pts_script(const Geometry& geometry, std::ostream& out);

// Every mesh as a shape in a block of its own, numbered from 1: the faces first (when there
// are any), then the meshes.
void write_all_meshes_script(const AllMeshes& all, std::ostream& out);

}  // namespace rz::polyconv
