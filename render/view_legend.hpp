#pragma once
// The legend of a pane: the grid scale, the axis letters with a small axis cross, and the
// name of an orthographic view, all in the axis colour.

#include <string_view>

#include "render/pane_layout.hpp"
#include "render/raster.hpp"
#include "render/view_context.hpp"

namespace rz::render {

// The orthographic views' names.
inline constexpr std::string_view kTopView = "上面図";    // XZ
inline constexpr std::string_view kSideView = "側面図";   // YZ
inline constexpr std::string_view kFrontView = "正面図";  // XY

// The width of a text in the views' cells: 8 pixels a half-width character, 16 a full-width
// one (what the byte length of the text gave in the code page the layout was made for).
int cellWidth(std::string_view text);

void drawLegend(Raster& raster, const Pane& pane, const Palette& palette, Rgb background,
                float gridStep);

}  // namespace rz::render
