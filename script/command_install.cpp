#include "script/command_install.hpp"

#include <algorithm>

#include "script/language_commands.hpp"

namespace rz::script {
namespace {

// Fills the rows of one name in one table; false when the table has no row of that name.
template <std::size_t N>
bool fill(std::array<CommandHandler, N>& handlers, const std::array<std::string_view, N>& names,
          const CommandRow& row) {
    bool found = false;
    for (std::size_t i = 0; i < N; ++i) {
        if (names[i] != row.name) continue;
        handlers[i] = row.handler;
        found = true;
    }
    return found;
}

bool givenBefore(std::span<const CommandRows> providers, std::size_t p, std::size_t r) {
    const std::string_view name = providers[p][r].name;
    for (std::size_t q = 0; q <= p; ++q) {
        const std::size_t end = q == p ? r : providers[q].size();
        for (std::size_t i = 0; i < end; ++i)
            if (providers[q][i].name == name) return true;
    }
    return false;
}

}  // namespace

InstallFault installCommands(Interp& in, std::span<const CommandRows> providers) {
    CommandHandlers handlers;
    handlers.commands.fill(notBuiltNosupport);
    handlers.statementCommands.fill(notBuiltNosupport);
    for (std::size_t p = 0; p < providers.size(); ++p) {
        for (std::size_t r = 0; r < providers[p].size(); ++r) {
            const CommandRow& row = providers[p][r];
            if (givenBefore(providers, p, r)) return {InstallFault::Kind::GivenTwice, row.name};
            const bool command = fill(handlers.commands, kCommandNames, row);
            const bool statement = fill(handlers.statementCommands, kStatementCommandNames, row);
            if (!command && !statement) return {InstallFault::Kind::UnknownName, row.name};
        }
    }
    in.handlers = handlers;
    return {};
}

}  // namespace rz::script
