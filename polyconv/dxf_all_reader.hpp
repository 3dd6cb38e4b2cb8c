#pragma once
// Every mesh of a DXF file's ENTITIES section: all 3DFACE entities as one set of faces and
// each polygon or polyface mesh POLYLINE on its own. Every other entity, plain 2D and 3D
// polylines among them, is passed over.

#include <cstddef>
#include <iosfwd>
#include <string_view>

#include "polyconv/dxf_reader.hpp"
#include "polyconv/geometry.hpp"
#include "polyconv/memory_limits.hpp"

namespace rz::polyconv {

struct AllMeshesResult {
    // ok, not_dxf (no ENTITIES section), no_geometry (no face and no mesh) or too_large.
    ReadStatus status = ReadStatus::not_dxf;
    AllMeshes meshes;
    std::size_t skipped = 0;  // entities that are not meshes, each counted once
};

// Progress and diagnostics go to console as they are found; everything kept is counted
// against limits.max_geometry_bytes.
AllMeshesResult read_dxf_all(std::string_view text, std::ostream& console,
                             const MemoryLimits& limits);

}  // namespace rz::polyconv
