#pragma once
// The light commands: the sixteen lights of the renderer and the light variables that
// mirror one of them.

#include "script/interp.hpp"

namespace rz::db {

int cmdSetLight(script::Interp& in);
int cmdNumLight(script::Interp& in);
int cmdLight(script::Interp& in);
int cmdSetLightno(script::Interp& in);
int cmdNewLight(script::Interp& in);
int cmdSaveLight(script::Interp& in);
int cmdCancelNewLight(script::Interp& in);

}  // namespace rz::db
