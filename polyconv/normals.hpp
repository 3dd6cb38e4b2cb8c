#pragma once
// Vertex normals of faces and meshes, as the script gives them to the main program.

#include <iosfwd>

#include "polyconv/geometry.hpp"

namespace rz::polyconv {

// Per-corner normals of every face, of unit length; a degenerate corner keeps a zero normal.
void compute_face_normals(FaceSet& faces);

// Vertex normals of a polygon or polyface mesh, reporting progress and every vertex whose
// normal has no direction.
void compute_mesh_normals(Mesh& mesh, std::ostream& console);

}  // namespace rz::polyconv
