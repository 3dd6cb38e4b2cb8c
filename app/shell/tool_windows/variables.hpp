#pragma once
// What the tool windows read of the language's variables to show them and to build their
// statements. They only read: every change goes through a statement.

#include <QByteArray>
#include <optional>
#include <string_view>

#include "math/value_types.hpp"
#include "script/interp.hpp"

namespace rz::app {

// Nothing when the name is not a scalar (or a vector) variable.
std::optional<float> scalarVariable(script::Interp& in, std::string_view name);
std::optional<Vec3> vectorVariable(script::Interp& in, std::string_view name);

// A number written so the language reads it back: plain decimals, never an exponent.
QByteArray statementNumber(double value);

}  // namespace rz::app
