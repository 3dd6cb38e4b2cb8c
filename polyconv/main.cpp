#include <unistd.h>

#include <cstddef>
#include <fstream>
#include <iostream>
#include <limits>
#include <string>
#include <string_view>

#include "polyconv/converter.hpp"
#include "polyconv/input_file.hpp"
#include "polyconv/memory_limits.hpp"
#include "polyconv/messages.hpp"

namespace {

constexpr int kFailure = -1;
// Refused inputs produce no script; a status of their own lets a caller tell them from a
// file that could not be opened.
constexpr int kRefused = 1;

// The input text and the mesh built from it each get half of the machine's memory.
rz::polyconv::MemoryLimits machine_limits() {
    rz::polyconv::MemoryLimits limits;
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long page_size = sysconf(_SC_PAGESIZE);
    if (pages > 0 && page_size > 0) {
        const auto pages_u = static_cast<std::size_t>(pages);
        const auto page_size_u = static_cast<std::size_t>(page_size);
        const std::size_t total = pages_u > std::numeric_limits<std::size_t>::max() / page_size_u
                                      ? std::numeric_limits<std::size_t>::max()
                                      : pages_u * page_size_u;
        limits.max_input_bytes = total / 2;
        limits.max_mesh_bytes = total / 2;
    }
    return limits;
}

void report_file(std::string_view name, std::string_view what) {
    std::cout << "file ( " << name << " ) " << what;
}

int run(std::string_view input_name, std::string_view output_name) {
    const rz::polyconv::MemoryLimits limits = machine_limits();
    const rz::polyconv::InputFile input = rz::polyconv::read_input_file(
        rz::polyconv::resolve_input_path(std::string(input_name)), limits.max_input_bytes);
    if (input.status == rz::polyconv::InputStatus::not_found) {
        report_file(input_name, "not found!\n");
        return kFailure;
    }
    if (input.status == rz::polyconv::InputStatus::too_large) {
        std::cout << rz::polyconv::msg::kAllocationFailed;
        return 0;
    }

    const rz::polyconv::Conversion conversion =
        rz::polyconv::convert_dxf(input.bytes, std::cout, limits);
    switch (conversion.outcome) {
        case rz::polyconv::Outcome::converted:
            break;
        case rz::polyconv::Outcome::not_dxf:
            report_file(input_name, "is not DXF file-format.\n");
            return kRefused;
        case rz::polyconv::Outcome::not_a_mesh:
            report_file(input_name,
                        "has a POLYLINE that is neither a polygon mesh nor a polyface mesh.\n");
            return kRefused;
        case rz::polyconv::Outcome::no_geometry:
            report_file(input_name, "has no face to convert.\n");
            return kRefused;
        case rz::polyconv::Outcome::out_of_memory:
            return 0;
    }

    std::ofstream output{std::string(output_name), std::ios::binary | std::ios::trunc};
    if (!output.is_open()) {
        report_file(output_name, "cannot Open! \n");
        return kFailure;
    }
    output.write(conversion.script.data(), static_cast<std::streamsize>(conversion.script.size()));
    output.flush();
    if (!output) {
        report_file(output_name, "cannot be written! \n");
        return kFailure;
    }
    std::cout << rz::polyconv::msg::kProcessComplete;
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cout << rz::polyconv::msg::kUsage;
        return 0;
    }
    try {
        return run(argv[1], argv[2]);
    } catch (const std::bad_alloc&) {
        std::cout << rz::polyconv::msg::kAllocationFailed;
        return 0;
    }
}
