#pragma once
// The current-record protocol: put copies the system variables of a record type into its
// current record, get copies the record back into the variables, select makes record n
// current and gets it. None of them checks n: the record commands do.

#include "db/database.hpp"
#include "script/interp.hpp"

namespace rz::db {

// The model store of a running interpreter.
inline Database& database(script::Interp& in) {
    return *in.db;
}

void putCameraRecord(script::Interp& in);
void getCameraRecord(script::Interp& in);
void putLightRecord(script::Interp& in);
void getLightRecord(script::Interp& in);
void putAttriRecord(script::Interp& in);
void getAttriRecord(script::Interp& in);
void putMapinfoRecord(script::Interp& in);
void getMapinfoRecord(script::Interp& in);
void putMaplistRecord(script::Interp& in);
void getMaplistRecord(script::Interp& in);
void putBlockRecord(script::Interp& in);
void getBlockRecord(script::Interp& in);
void putRigidRecord(script::Interp& in);
void getRigidRecord(script::Interp& in);
void putRlinkRecord(script::Interp& in);
void getRlinkRecord(script::Interp& in);
void putActorRecord(script::Interp& in);
void getActorRecord(script::Interp& in);

void selectBlock(script::Interp& in, int n);
void selectAttri(script::Interp& in, int n);
void selectMapinfo(script::Interp& in, int n);
void selectMaplist(script::Interp& in, int n);
void selectRigid(script::Interp& in, int n);
void selectRlink(script::Interp& in, int n);
void selectActor(script::Interp& in, int n);

// Every record, count, current record and load base back to its start value.
void resetModelRecords(Database& db);

}  // namespace rz::db
