#include <iostream>
#include <new>
#include <string>
#include <string_view>

#include "polyconv/converter.hpp"
#include "polyconv/input_file.hpp"
#include "polyconv/memory_limits.hpp"
#include "polyconv/messages.hpp"
#include "polyconv/number_format.hpp"
#include "polyconv/output_file.hpp"
#include "polyconv/pts_writer.hpp"

namespace rz::polyconv {
namespace {

constexpr int kFailure = -1;
// Refused inputs produce no script; a status of their own lets a caller tell them from a
// file that could not be opened.
constexpr int kRefused = 1;

void report_file(std::string_view name, std::string_view what) {
    std::cout << "file ( " << name << " ) " << what;
}

// The converted script, ready to be written once the output is open.
struct Converted {
    Outcome outcome = Outcome::not_dxf;
    Geometry geometry;
    AllMeshes meshes;
};

Converted convert(std::string_view bytes, bool all_meshes) {
    const MemoryLimits limits = limits_for_input(bytes.size());
    if (!all_meshes) {
        Conversion c = convert_dxf(bytes, std::cout, limits);
        return {c.outcome, std::move(c.geometry), {}};
    }
    AllConversion c = convert_dxf_all(bytes, std::cout, limits);
    if (c.outcome == Outcome::converted) {
        std::size_t faces = c.meshes.faces.faces.size();
        std::cout << "converted: " << integer_text(static_cast<long long>(faces)) << " 3DFACE(s), "
                  << integer_text(static_cast<long long>(c.meshes.meshes.size()))
                  << " mesh(es); skipped: " << integer_text(static_cast<long long>(c.skipped))
                  << " other entit(ies)\n";
    }
    return {c.outcome, {}, std::move(c.meshes)};
}

int run(std::string_view input_name, std::string_view output_name, bool all_meshes) {
    const InputFile input =
        read_input_file(resolve_input_path(std::string(input_name)), kMaxInputBytes);
    switch (input.status) {
        case InputStatus::ok:
            break;
        case InputStatus::not_found:
            report_file(input_name, "not found!\n");
            return kFailure;
        case InputStatus::not_regular:
            report_file(input_name, "is not a regular file!\n");
            return kFailure;
        case InputStatus::too_large:
            report_file(input_name, "is too large! ( more than " +
                                        integer_text(static_cast<long long>(kMaxInputBytes)) +
                                        " bytes )\n");
            return kRefused;
    }

    const Converted conversion = convert(input.bytes, all_meshes);
    switch (conversion.outcome) {
        case Outcome::converted:
            break;
        case Outcome::not_dxf:
            report_file(input_name, "is not DXF file-format.\n");
            return kRefused;
        case Outcome::not_a_mesh:
            report_file(input_name,
                        "has a POLYLINE that is neither a polygon mesh nor a polyface mesh.\n");
            return kRefused;
        case Outcome::no_geometry:
            report_file(input_name, "has no face to convert.\n");
            return kRefused;
        case Outcome::out_of_memory:
            return 0;
    }

    OutputFile output;
    switch (output.open(std::string(output_name), input.identity)) {
        case OutputStatus::ok:
            break;
        case OutputStatus::cannot_open:
            report_file(output_name, "cannot Open! \n");
            return kFailure;
        case OutputStatus::is_the_input:
            report_file(output_name, "is the same file as the input!\n");
            return kFailure;
    }
    if (all_meshes) {
        write_all_meshes_script(conversion.meshes, output.stream());
    } else {
        write_pts_script(conversion.geometry, output.stream());
    }
    if (!output.close()) {
        report_file(output_name, "cannot be written! \n");
        return kFailure;
    }
    std::cout << msg::kProcessComplete;
    return 0;
}

}  // namespace
}  // namespace rz::polyconv

int main(int argc, char** argv) {
    // --all before the file names converts every mesh instead of the first entity.
    const bool all_meshes = argc > 1 && std::string_view(argv[1]) == "--all";
    const int first = all_meshes ? 2 : 1;
    if (argc < first + 2) {
        std::cout << rz::polyconv::msg::kUsage;
        return 0;
    }
    try {
        return rz::polyconv::run(argv[first], argv[first + 1], all_meshes);
    } catch (const std::bad_alloc&) {
        std::cout << rz::polyconv::msg::kAllocationFailed;
        return 0;
    }
}
