// The converter's whole path from DXF bytes to script text, in memory.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <ostream>
#include <sstream>
#include <string_view>

#include "polyconv/converter.hpp"
#include "polyconv/memory_limits.hpp"
#include "polyconv/pts_writer.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    // A stream without a buffer discards the progress messages.
    std::ostream console(nullptr);
    // The program's own limits: small for small inputs, so the refusals are reached too.
    const rz::polyconv::Conversion conversion =
        rz::polyconv::convert_dxf(text, console, rz::polyconv::limits_for_input(size));
    if (conversion.outcome != rz::polyconv::Outcome::converted) return 0;
    std::ostringstream script;
    rz::polyconv::write_pts_script(conversion.geometry, script);
    // Every script ends with the block statements; anything else means a broken conversion.
    if (!script.view().ends_with("let b.point 1\nload.block b.point\n")) std::abort();
    return 0;
}
