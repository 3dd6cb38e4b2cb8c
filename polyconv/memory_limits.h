#pragma once

#include <cstddef>
#include <limits>

namespace polyconv {

// What the converter may hold in memory. The program derives these from the machine; tests
// and the fuzzer pass small ones so that the limits themselves can be exercised.
struct MemoryLimits {
    std::size_t max_input_bytes = std::numeric_limits<std::size_t>::max();
    std::size_t max_mesh_bytes = std::numeric_limits<std::size_t>::max();
};

}  // namespace polyconv
