#pragma once
// What a built-in command is to the interpreter: a handler that pulls its own arguments
// and returns kOk or kFail, one for every row of the command table.

#include <array>
#include <cstddef>

#include "script/tokens.hpp"

namespace rz::script {

struct Interp;
using CommandHandler = Result (*)(Interp&);

inline constexpr std::size_t kCommandCount = 234;
inline constexpr std::size_t kStatementCommandCount = 1;

// Indexed like the name tables; a symbol of a command refers to its row.
struct CommandHandlers {
    std::array<CommandHandler, kCommandCount> commands{};
    std::array<CommandHandler, kStatementCommandCount> statementCommands{};
};

}  // namespace rz::script
