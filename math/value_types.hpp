#pragma once
// The value types of the language: 32-bit float scalars and vectors, 4x4 double matrices
// stored row by row (row vectors: p' = p * M, translation in the last row).

#include <array>

namespace rz {

using Vec3 = std::array<float, 3>;
using Mat4 = std::array<double, 16>;

inline constexpr Mat4 kIdentity = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

}  // namespace rz
