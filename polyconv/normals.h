#pragma once

#include <iosfwd>

#include "geometry.h"

namespace polyconv {

// Per-corner normals of every face, of unit length; a degenerate corner keeps a zero normal.
void compute_face_normals(FaceSet& faces);

// Vertex normals of a polygon or polyface mesh, reporting progress and every vertex whose
// normal has no direction.
void compute_mesh_normals(Mesh& mesh, std::ostream& console);

}  // namespace polyconv
