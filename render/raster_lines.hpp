#pragma once
// The integer line of the drawing layer and its exact clipping.
//
// A line from (x0, y0) to (x1, y1) has one pixel per step along its major axis (x when
// |dx| >= |dy|), the end pixel excluded as with MoveTo/LineTo, so the segments of a polyline
// meet without drawing their shared point twice. Pixel i sits at
//   major = a0 + i·sign(da),  minor = b0 + sign(db)·floor((2·i·|db| + |da|) / (2·|da|)),
// i.e. Bresenham's line with halves rounded towards the end point. Clipping works on that
// formula directly: the first and last steps inside the rectangle and the error term of the
// first are computed, so a clipped line draws exactly the unclipped line's pixels inside the
// rectangle, costs nothing for the part outside, and any pair of int end points is safe.

#include <cstdint>
#include <optional>

#include "render/raster_types.hpp"

namespace rz::render {

// The visible part of a line as a Bresenham walk.
struct LineRun {
    int x = 0;  // first visible pixel
    int y = 0;
    std::int64_t count = 0;  // visible pixels, at least 1
    int majorX = 0;          // one step along the major axis
    int majorY = 0;
    int minorX = 0;  // the extra step when the error term turns non-negative
    int minorY = 0;
    std::int64_t error = 0;      // error term at the first pixel, in [-errorDown, 0)
    std::int64_t errorUp = 0;    // added per step: 2·|minor delta|
    std::int64_t errorDown = 0;  // taken off with a minor step: 2·|major delta|
};

// The pixels of the line inside `clip`; nothing when none is (or the line has no length).
std::optional<LineRun> clipLine(int x0, int y0, int x1, int y1, const Rect& clip);

}  // namespace rz::render
