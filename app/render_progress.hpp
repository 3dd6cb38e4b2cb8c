#pragma once
// The progress line of a render at a terminal: one line on standard error, rewritten after
// every tile and ended when the last is done.

#include "workstation/workstation.hpp"

namespace rz::app {

// Installs the line when standard error is a terminal; otherwise the renderer says only
// what it always says.
void installRenderProgress(workstation::Workstation& w);

}  // namespace rz::app
