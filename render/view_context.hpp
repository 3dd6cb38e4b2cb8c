#pragma once
// What every drawing of the views starts from: the palette copied from the colour
// variables, the camera brought up to date from its variables, and the panes to draw into,
// each with its projector.

#include <array>

#include "db/system_variables.hpp"
#include "render/camera_view.hpp"
#include "render/pane_projection.hpp"
#include "render/views.hpp"
#include "script/interp.hpp"

namespace rz::render {

using Palette = std::array<Rgb, db::kWireColourCount>;

// Components 0..255, truncated; values outside are cut to that range.
Palette readPalette(script::Interp& in);

// Copies the camera and the current light variables into their records, as every drawing
// and every view command does, and gives the camera's view.
CameraView currentCamera(script::Interp& in);
// The camera of the variables, leaving the camera record as it is.
CameraView cameraOfVariables(script::Interp& in);

// The panes a drawing goes to: every pane, or only a perspective first pane.
struct PaneTargets {
    std::array<int, kMaxPanes> pane{};
    std::array<PaneProjector, kMaxPanes> projector{};
    int count = 0;
};
PaneTargets paneTargets(const Views& views, const CameraView& camera, bool perspectiveOnly);

// Whether the first pane is the perspective pane, where parswire and parswinclear draw.
bool perspectiveShown(const Views& views);

}  // namespace rz::render
