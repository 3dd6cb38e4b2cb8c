#pragma once
// Fills the interpreter's handler table from the rows the subsystems bring.

#include <span>
#include <string_view>

#include "script/command_table.hpp"
#include "script/interp.hpp"

namespace rz::script {

using CommandRows = std::span<const CommandRow>;

// Why the rows could not be installed, and the name at fault.
struct InstallFault {
    enum class Kind { None, UnknownName, GivenTwice };
    Kind kind = Kind::None;
    std::string_view name;
    explicit operator bool() const { return kind != Kind::None; }
};

// Every table row whose name a provider gives gets that handler (a name the table holds
// twice gets it in both rows); a row no provider gives keeps the not-built placeholder.
// A name the table does not hold, or one given twice, is a fault of the program itself,
// and the handler table is then left as it was.
InstallFault installCommands(Interp& in, std::span<const CommandRows> providers);

}  // namespace rz::script
