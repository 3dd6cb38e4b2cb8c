#pragma once
// The camera commands: resetting and restoring the camera, fitting it to the model,
// orbiting, aiming, moving along the view and sideways, the one-level undo, the place of
// the perspective pane's camera, and putting the eye, the target or the light on a named
// record.

#include <span>

#include "script/command_table.hpp"

namespace rz::render {

// Rows for the command table: camerainit, camera.set, volume, autoview, angle.x ... aim.z,
// foward, fowardall, track, undoview, backupview, parsview, c.pos.fix, c.tar.fix,
// l.pos.fix, l.tar.fix.
std::span<const script::CommandRow> cameraCommands();

}  // namespace rz::render
