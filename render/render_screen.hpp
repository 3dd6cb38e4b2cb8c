#pragma once
// The screen of a render: the whole image and its tiles in samples, by draw mode and by the
// Z-Buffer size of the settings.

#include "render/render_state.hpp"

namespace rz::render {

// For an image of width x height pixels (the C-Buffer); zbufFlag 1..4.
Screen screenFor(int mode, int zbufFlag, int width, int height);

// Tile `number` (from 0, row by row), cut to the image.
Tile tileOf(const Screen& screen, int number);

// The micropolygon size threshold T of an anti-aliasing level, in square samples.
constexpr int sizeThreshold(int antiAlias) {
    return 6 << antiAlias;
}

}  // namespace rz::render
