#pragma once
// Finding one's way through a DXF file: the start of the ENTITIES section, the end-of-file
// marker, and coordinates that survive scaling.

#include <iosfwd>
#include <string_view>

#include "polyconv/dxf_tokens.hpp"

namespace rz::polyconv {

// Skips to the group code of the first entity of the ENTITIES section (the sequence "0",
// "SECTION", "2", "ENTITIES", "0"); the entity's name is the next line. False when the
// text ends first.
bool find_entities(LineTokenizer& tokens);

// Everything after the converted geometry only has to prove the file is complete: true
// when a "0" "EOF" pair follows.
bool skip_to_eof_marker(LineTokenizer& tokens, bool previous_was_zero);

// A coordinate value; a value that is no usable number is reported and taken as 0.
double read_coordinate(std::string_view text, std::ostream& console);

}  // namespace rz::polyconv
