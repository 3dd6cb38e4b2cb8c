#pragma once
// The attribute (material) commands, with the trial attribute that shows the variables on
// the selected shapes before they are stored.

#include "script/interp.hpp"

namespace rz::db {

int cmdSetAtr(script::Interp& in);
int cmdNewAtr(script::Interp& in);
int cmdLinkAtr(script::Interp& in);
int cmdNumAtr(script::Interp& in);
int cmdInitAtr(script::Interp& in);
int cmdCapaAtr(script::Interp& in);
int cmdSetAtrcount(script::Interp& in);
int cmdLoadAtr(script::Interp& in);
int cmdSaveAtr(script::Interp& in);
int cmdCancelNewAtr(script::Interp& in);
int cmdTestAtr(script::Interp& in);
int cmdUntestAtr(script::Interp& in);
int cmdAtrDelete(script::Interp& in);

}  // namespace rz::db
