#pragma once
// The declaration commands var, vtx and def.mat.

#include "script/interp.hpp"

namespace rz::script {

int cmdVar(Interp& in);
int cmdVtx(Interp& in);
int cmdDefMat(Interp& in);

}  // namespace rz::script
