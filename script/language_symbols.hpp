#pragma once
// Registration of the language's own symbols at start-up, after the system variables:
// the string variables, the vector operand's work vector, the commands, the marker and
// the named constants, in that order.

#include <array>
#include <string_view>

#include "script/interp.hpp"

namespace rz::script {

struct StringVariable {
    std::string_view name;
    int slot;
};

// The string variables and the slots of the string area that hold their text.
inline constexpr std::array<StringVariable, 8> kStringVariables{{
    {"#STRING", 2},
    {"#STRING.1", 3},
    {"sh.name", 4},
    {"b.refname", 5},
    {"b.name", 6},
    {"rigid.name", 7},
    {"actor.name", 8},
    {"backimage.name", 9},
}};

// False when a registration failed (already reported).
bool registerLanguageSymbols(Interp& in);

}  // namespace rz::script
