#pragma once
// The geometry commands of the language: raw records, the matrix stack and the current
// matrix, and applying it to the model.

#include "script/interp.hpp"

namespace rz::geometry {

// Raw records: axis.add, patch.add, shape.add, matrix.add.
int cmdAxisAdd(script::Interp& in);
int cmdPatchAdd(script::Interp& in);
int cmdShapeAdd(script::Interp& in);
int cmdMatrixAdd(script::Interp& in);

// The current matrix and the stack.
int cmdMatinit(script::Interp& in);
int cmdMatpush(script::Interp& in);
int cmdMatpop(script::Interp& in);
int cmdMove(script::Interp& in);
int cmdScale(script::Interp& in);
int cmdRotX(script::Interp& in);
int cmdRotY(script::Interp& in);
int cmdRotZ(script::Interp& in);
int cmdCenter(script::Interp& in);
int cmdCenterBackup(script::Interp& in);
int cmdCenterRestore(script::Interp& in);

// Applying the current matrix.
int cmdAffine(script::Interp& in);
int cmdAffineBlock(script::Interp& in);
int cmdCancelAffineBlock(script::Interp& in);
int cmdAffineRigid(script::Interp& in);
int cmdCancelAffineRigid(script::Interp& in);

}  // namespace rz::geometry
