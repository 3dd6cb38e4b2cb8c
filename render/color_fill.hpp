#pragma once
// The fills of cinit: the whole C-Buffer cleared or in one colour, the checkerboard over it
// or over the material sample's corner, and that corner cleared.

#include <array>
#include <cstdint>

#include "db/database.hpp"

namespace rz::render {

enum class FillCode : int {
    Clear = 0,
    Fill = 1,
    Checker = 2,
    CheckerSample = 3,
    BackImage = 4,
    BlackSample = 5,
    NoClear = 9,
};

using Rgb8 = std::array<std::uint8_t, 3>;

// Fills the C-Buffer by one of the codes that need no file; false for any other code.
bool fillColorBuffer(db::ColorBuffer& image, int code, const Rgb8& colour);

}  // namespace rz::render
