#pragma once
// Reading the first polygon or polyface mesh of a DXF file, or all of its 3D faces, into
// geometry.

#include <iosfwd>
#include <string_view>

#include "polyconv/geometry.hpp"
#include "polyconv/memory_limits.hpp"

namespace rz::polyconv {

enum class ReadStatus {
    ok,
    not_dxf,      // no ENTITIES section starting with a 3DFACE or a POLYLINE
    not_a_mesh,   // the first POLYLINE is neither a polygon mesh nor a polyface mesh
    no_geometry,  // recognised, but not one face survived
    too_large,    // more than the memory limit holds, or a declared mesh size that is no size
};

struct ReadResult {
    ReadStatus status = ReadStatus::not_dxf;
    Geometry geometry;
};

// Parses the whole DXF text; progress and diagnostics go to console as they are found.
// Everything kept is counted against limits.max_geometry_bytes.
ReadResult read_dxf(std::string_view text, std::ostream& console, const MemoryLimits& limits);

}  // namespace rz::polyconv
