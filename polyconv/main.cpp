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

int run(std::string_view input_name, std::string_view output_name) {
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

    const Conversion conversion =
        convert_dxf(input.bytes, std::cout, limits_for_input(input.bytes.size()));
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
    write_pts_script(conversion.geometry, output.stream());
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
    if (argc < 3) {
        std::cout << rz::polyconv::msg::kUsage;
        return 0;
    }
    try {
        return rz::polyconv::run(argv[1], argv[2]);
    } catch (const std::bad_alloc&) {
        std::cout << rz::polyconv::msg::kAllocationFailed;
        return 0;
    }
}
