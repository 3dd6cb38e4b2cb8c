#pragma once
// What every model dialog does around its controls: read the model, say why it does
// nothing, and hand its statements to the interpreter.

#include <string>
#include <string_view>

#include "app/shell/command_port.hpp"
#include "db/current_records.hpp"

namespace rz::app {

inline const db::Database& model(CommandPort& port) {
    return db::database(port.interp());
}

// A status text; false, for dialogs that end without running anything.
inline bool refuse(CommandPort& port, std::string_view text) {
    port.interp().msg.statusText(text);
    return false;
}

inline bool runStatements(CommandPort& port, const std::string& text) {
    port.run(text.c_str());
    return true;
}

}  // namespace rz::app
