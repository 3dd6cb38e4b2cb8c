#pragma once
// The names of the built-in commands and the named constants of the language, in table
// order. The language knows only the names: each subsystem brings the handlers of its own
// commands as rows, and start-up installs them (script/command_install.hpp).

#include <array>
#include <cstddef>
#include <string_view>

#include "script/command_handler.hpp"

namespace rz::script {

struct CommandRow {
    std::string_view name;
    CommandHandler handler;
};

struct ConstantRow {
    std::string_view name;
    float value;
};

inline constexpr std::size_t kConstantCount = 149;

extern const std::array<std::string_view, kCommandCount> kCommandNames;
extern const std::array<std::string_view, kStatementCommandCount> kStatementCommandNames;
extern const std::array<ConstantRow, kConstantCount> kConstantTable;

}  // namespace rz::script
