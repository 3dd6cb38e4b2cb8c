#pragma once
// Assignment statements: a statement that starts with a scalar, array, vector or
// vector-array variable (the current token).

#include "script/interp.hpp"

namespace rz::script {

// Reports its own errors and discards the rest of the line on failure; kOk or kFail.
Result assignmentStatement(Interp& in);

}  // namespace rz::script
