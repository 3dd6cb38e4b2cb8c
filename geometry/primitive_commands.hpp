#pragma once
// The primitive commands of the language: new blocks of parametric shapes made from the
// box between two vector variables, the undo of the last one, and the box-cursor marker.

#include "script/interp.hpp"

namespace rz::geometry {

// b.cursor.code as a block on the active layer; a flat box makes nothing.
int cmdSetPrimitive(script::Interp& in);
// b.cursor.code as a guide block (L.GUIDE), ratio 1.
int cmdSetBCursor(script::Interp& in);
int cmdUndoPrimitive(script::Interp& in);

// One kind each, ratio 1, on the active layer.
int cmdBoxgen2(script::Interp& in);
int cmdBoxgen3(script::Interp& in);
int cmdCorngen1(script::Interp& in);
int cmdCylngen1(script::Interp& in);
int cmdCorngen4(script::Interp& in);
int cmdCylngen4(script::Interp& in);
int cmdBallgen1(script::Interp& in);
int cmdBallgen8(script::Interp& in);

// The box-cursor marker for the box s-e, built and given back again.
int cmdBcurgen(script::Interp& in);
int cmdBcurreg(script::Interp& in);

}  // namespace rz::geometry
