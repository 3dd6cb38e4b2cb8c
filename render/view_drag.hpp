#pragma once
// The geometry of the interactive view operations that do not move the box cursor: scrolling
// the orthographic panes with the mouse, turning the camera by a drag, and letting the box
// cursor go when an operation is over. The window turns the results into statements, so a
// recorded script replays what the mouse did.

#include <optional>

#include "math/value_types.hpp"
#include "render/pane_layout.hpp"
#include "script/interp.hpp"

namespace rz::render {

// The centre of the orthographic panes that keeps the world point under the mouse while it
// moves from (fromX, fromY) to (toX, toY): the view follows the hand. Nothing when the move
// does not start in an orthographic pane.
std::optional<Vec3> scrolledCentre(const PaneLayout& layout, const Vec3& centre, int fromX,
                                   int fromY, int toX, int toY);

// One step of the camera drag: across the view the eye orbits the target about the world's
// Y axis, up and down the view it moves toward the target (down: away).
struct CameraStep {
    float degrees = 0.0f;  // for angle.y
    float forward = 0.0f;  // for foward
};

inline constexpr float kDegreesPerPixel = 0.5f;
// Of the eye's distance from the target, per pixel.
inline constexpr float kForwardPerPixel = 0.005f;
// A single step never takes the eye more than this share of the way to the target, so the
// view vector never becomes zero.
inline constexpr float kMaxForwardShare = 0.5f;

CameraStep cameraDragStep(int dx, int dy, float distance);

// The box-cursor tool of an operation is over: the next press grabs handles again.
void endCursorTool(script::Interp& in);

}  // namespace rz::render
