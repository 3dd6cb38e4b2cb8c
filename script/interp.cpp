#include "script/interp.hpp"

#include "platform/store_allocation.hpp"
#include "script/language_commands.hpp"

namespace rz::script {

Interp::Interp(platform::MessageService& messages)
    : msg(messages), sym(messages), lex(sym, messages) {
    // Until start-up installs the subsystems' rows, every command is a placeholder.
    handlers.commands.fill(notBuiltNosupport);
    handlers.statementCommands.fill(notBuiltNosupport);
}

std::string_view Interp::allocate(std::size_t scriptMax) {
    if (const std::string_view failed = sym.allocate(); !failed.empty()) return failed;
    // One byte more than the capacity holds the terminating NUL of a full load.
    if (!platform::allocateStore(scriptBuffer, scriptMax + 1)) return "scriptbuffer";
    scriptUsed = 0;
    return {};
}

}  // namespace rz::script
