#pragma once
// How much memory a conversion may take: the input's size bounds everything held for it.

#include <cstddef>
#include <limits>

namespace rz::polyconv {

// The largest input converted. A polygon mesh of a million vertices as exporters write it
// is about 100 MB of DXF text.
inline constexpr std::size_t kMaxInputBytes = std::size_t{256} << 20;

// Bytes of geometry that may be held per byte of input. The densest faces DXF text can
// spell take under 5 bytes of geometry per byte, meshes under 8, so only a file whose
// header declares far more than it contains is refused. With the input itself and a
// small output buffer, a run never holds much more than 9 times its input's size.
inline constexpr std::size_t kGeometryBytesPerInputByte = 8;

// What a conversion may hold besides its input. Tests pass small limits so that the limits
// themselves can be exercised.
struct MemoryLimits {
    // Every list of faces, vertices and face records read, counted by capacity.
    std::size_t max_geometry_bytes = std::numeric_limits<std::size_t>::max();
};

// The limits of a run whose input has input_bytes (at most kMaxInputBytes).
constexpr MemoryLimits limits_for_input(std::size_t input_bytes) {
    return {kGeometryBytesPerInputByte * input_bytes};
}

}  // namespace rz::polyconv
