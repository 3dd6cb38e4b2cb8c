#pragma once
// The built-in commands and the named constants of the language, in table order.

#include <array>
#include <cstddef>
#include <string_view>

#include "script/interp.hpp"

namespace rz::script {

struct CommandRow {
    std::string_view name;
    CommandHandler handler;
};

struct ConstantRow {
    std::string_view name;
    float value;
};

inline constexpr std::size_t kCommandCount = 234;
inline constexpr std::size_t kConstantCount = 149;

extern const std::array<CommandRow, kCommandCount> kCommandTable;
extern const std::array<CommandRow, 1> kStatementCommands;
extern const std::array<ConstantRow, kConstantCount> kConstantTable;

}  // namespace rz::script
