// The converter's whole path from DXF bytes to script text, in memory.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <ostream>
#include <string_view>

#include "polyconv/converter.hpp"
#include "polyconv/memory_limits.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    // A stream without a buffer discards the progress messages.
    std::ostream console(nullptr);
    // Small limits so that the refusal paths are reached as well as the conversions.
    const rz::polyconv::MemoryLimits limits{1U << 24, 1U << 24};
    const rz::polyconv::Conversion conversion = rz::polyconv::convert_dxf(text, console, limits);
    // Every script ends with the block statements; anything else means a broken conversion.
    if (conversion.outcome == rz::polyconv::Outcome::converted &&
        !std::string_view(conversion.script).ends_with("let b.point 1\nload.block b.point\n")) {
        std::abort();
    }
    return 0;
}
