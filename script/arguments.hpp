#pragma once
// The ways command handlers take their arguments from the lexer.

#include <string_view>

#include "script/interp.hpp"

namespace rz::script {

// No arguments: the statement must end here.
Result noArguments(Interp& in);
// One literal: a number or a named constant (and a scalar variable when allowed).
// Anything else reports an invalid parameter and discards the line.
Result literalNumber(Interp& in, float& out, bool allowScalar = false);
// An expression that ends the statement; its value, or its value truncated toward zero.
Result lastExpression(Interp& in, float& out);
Result lastIntExpression(Interp& in, int& out);
// The same, or the record named by an "@name" token of the kind given.
Result lastRecordNumber(Interp& in, Tok nameRef, int& out);
// A vector operand that ends the statement.
Result lastVector(Interp& in, Vec3& out);
// A string literal or string variable read from the next token; the text stays valid
// until the next token is read.
bool textArgument(Interp& in, std::string_view& out);
// The next token must be ",".
Result expectComma(Interp& in);

}  // namespace rz::script
