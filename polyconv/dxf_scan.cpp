#include "polyconv/dxf_scan.hpp"

#include <array>
#include <ostream>

#include "polyconv/messages.hpp"

namespace rz::polyconv {

bool find_entities(LineTokenizer& tokens) {
    static constexpr std::array<std::string_view, 5> kStart{"0", "SECTION", "2", "ENTITIES", "0"};
    std::size_t matched = 0;
    while (matched < kStart.size()) {
        const auto token = tokens.next_nonblank();
        if (!token) return false;
        if (*token == kStart[matched]) {
            ++matched;
        } else {
            // "0" is the only prefix of the sequence that is also a suffix of it.
            matched = *token == "0" ? 1 : 0;
        }
    }
    return true;
}

bool skip_to_eof_marker(LineTokenizer& tokens, bool previous_was_zero) {
    while (const auto token = tokens.next_nonblank()) {
        if (previous_was_zero && *token == "EOF") return true;
        previous_was_zero = *token == "0";
    }
    return false;
}

double read_coordinate(std::string_view text, std::ostream& console) {
    const ParsedValue parsed = parse_value(text);
    if (!parsed.valid) console << msg::kDxfFileError;
    return parsed.value;
}

}  // namespace rz::polyconv
