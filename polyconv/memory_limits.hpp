#pragma once
// How much memory a conversion may take: the input's size bounds everything held for it.

#include <cstddef>
#include <limits>

namespace rz::polyconv {

// What the converter may hold in memory. The program derives these from the machine; tests
// and the fuzzer pass small ones so that the limits themselves can be exercised.
struct MemoryLimits {
    std::size_t max_input_bytes = std::numeric_limits<std::size_t>::max();
    std::size_t max_mesh_bytes = std::numeric_limits<std::size_t>::max();
};

}  // namespace rz::polyconv
