#pragma once
// Arithmetic expressions over 32-bit floats, vector operands and element access.
// Convention: the caller has read the first token into the current token; on return the
// current token is the first one after the expression.

#include "script/interp.hpp"

namespace rz::script {

// Evaluates and pushes one value. kOk or kFail (reported).
Result expression(Interp& in);
// Evaluates a vector operand into out and reads the token after it.
Result vectorOperand(Interp& in, Vec3& out);
// The element of an array symbol (the current token), after "[" index "]"; the current
// token is left on "]". Null after reporting.
float* arrayElement(Interp& in, int symbol);
Vec3* vectorElement(Interp& in, int symbol);

// Pops the value an expression left, converted to an integer by truncation toward zero.
int popInteger(Interp& in);

}  // namespace rz::script
