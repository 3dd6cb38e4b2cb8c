#pragma once
// The mapping commands: mapinfo records (how an image is laid on a surface), the maplist
// records that chain mapinfos onto shapes, the trial mapping, and the mapping box.

#include "script/interp.hpp"

namespace rz::db {

int cmdSetMapinfo(script::Interp& in);
int cmdSaveMapinfo(script::Interp& in);
int cmdNewMapinfo(script::Interp& in);
int cmdCancelNewMapinfo(script::Interp& in);
int cmdNumMapinfo(script::Interp& in);
int cmdLoadMapinfo(script::Interp& in);
int cmdInitMapinfo(script::Interp& in);
int cmdCapaMapinfo(script::Interp& in);
int cmdSetMicount(script::Interp& in);
int cmdLinkMapinfo(script::Interp& in);
int cmdUnlinkMapinfo(script::Interp& in);
int cmdTestMapinfo(script::Interp& in);
int cmdUntestMapinfo(script::Interp& in);
int cmdDecalbox(script::Interp& in);

int cmdSetMaplist(script::Interp& in);
int cmdSaveMaplist(script::Interp& in);
int cmdLoadMaplist(script::Interp& in);
int cmdDelMaplist(script::Interp& in);

}  // namespace rz::db
