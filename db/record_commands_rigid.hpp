#pragma once
// The joint commands: rigids join two blocks, and each block lists the rigids attached to
// it in its chain of rlink records.

#include "script/interp.hpp"

namespace rz::db {

int cmdSetRigid(script::Interp& in);
int cmdSaveRigid(script::Interp& in);
int cmdNewRigid(script::Interp& in);
int cmdUnlinkRigid(script::Interp& in);
int cmdNumRigid(script::Interp& in);
int cmdLoadRigid(script::Interp& in);
int cmdInitRigid(script::Interp& in);
int cmdCapaRigid(script::Interp& in);
int cmdSetRigidcount(script::Interp& in);

int cmdSetRlink(script::Interp& in);
int cmdLoadRlink(script::Interp& in);
int cmdSaveRlink(script::Interp& in);
int cmdSetRlinkcount(script::Interp& in);

}  // namespace rz::db
