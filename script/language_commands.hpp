#pragma once
// The commands of the language itself.

#include "script/interp.hpp"

namespace rz::script {

int cmdLet(Interp& in);
int cmdPrint(Interp& in);
int cmdParam(Interp& in);
int cmdVersion(Interp& in);
int cmdNop(Interp& in);
int cmdNosupport(Interp& in);
int cmdExec(Interp& in);
int cmdNewexec(Interp& in);
int cmdSetnum(Interp& in);
int cmdResetnum(Interp& in);
int cmdExpand(Interp& in);

// Loads a script into the script buffer and runs it count times.
int newExecSub(Interp& in, const char* path, int count);

// Stands in for a command whose subsystem is not built yet: it takes whatever arguments
// the statement has and says, like nosupport, that it is not supported.
int notBuiltNosupport(Interp& in);

}  // namespace rz::script
