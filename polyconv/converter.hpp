#pragma once
// The whole conversion in memory: DXF text in, geometry with its normals out, progress and
// diagnostics on the console in the order the steps run.

#include <iosfwd>
#include <string_view>

#include <cstddef>

#include "polyconv/geometry.hpp"
#include "polyconv/memory_limits.hpp"

namespace rz::polyconv {

enum class Outcome {
    converted,
    not_dxf,
    not_a_mesh,
    no_geometry,
    out_of_memory,  // "Memory Allocation Failed!" has already been printed
};

struct Conversion {
    Outcome outcome = Outcome::not_dxf;
    // Ready for write_pts_script when converted.
    Geometry geometry;
};

// Everything between the bytes of the DXF file and the geometry of the .pts file; the
// console receives the progress messages in the order the steps run. The script itself is
// written by write_pts_script, once there is somewhere to write it.
Conversion convert_dxf(std::string_view dxf_text, std::ostream& console,
                       const MemoryLimits& limits);

struct AllConversion {
    Outcome outcome = Outcome::not_dxf;  // never not_a_mesh
    // Ready for write_all_meshes_script when converted.
    AllMeshes meshes;
    std::size_t skipped = 0;  // entities that are not meshes
};

// The same for every mesh of the ENTITIES section, each with its normals.
AllConversion convert_dxf_all(std::string_view dxf_text, std::ostream& console,
                              const MemoryLimits& limits);

}  // namespace rz::polyconv
