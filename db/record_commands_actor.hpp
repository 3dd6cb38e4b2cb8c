#pragma once
// The actor commands: an actor names an articulated figure by one of its rigids.

#include "script/interp.hpp"

namespace rz::db {

int cmdSetActor(script::Interp& in);
int cmdSaveActor(script::Interp& in);
int cmdNewActor(script::Interp& in);
int cmdDeleteActor(script::Interp& in);
int cmdNumActor(script::Interp& in);
int cmdLoadActor(script::Interp& in);
int cmdInitActor(script::Interp& in);
int cmdCapaActor(script::Interp& in);
int cmdSetActorcount(script::Interp& in);

}  // namespace rz::db
