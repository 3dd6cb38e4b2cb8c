#include <algorithm>
#include <bit>
#include <cstdint>
#include <limits>

#include "render/raster.hpp"
#include "render/raster_ops.hpp"

namespace rz::render {
namespace {

int toInt(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

// The bits of a glyph row for columns [first, end), both within 0 .. kGlyphBox.
std::uint32_t columnMask(std::int64_t first, std::int64_t end) {
    const std::uint32_t fromFirst = first >= kGlyphBox ? 0u : 0xFFFFFFFFu >> first;
    const std::uint32_t beforeEnd = end >= kGlyphBox ? 0xFFFFFFFFu : ~(0xFFFFFFFFu >> end);
    return fromFirst & beforeEnd;
}

}  // namespace

bool Raster::loadFont() {
    font_ = TextFace::open();
    return font_.has_value();
}

Size Raster::textExtent(std::string_view text) {
    if (!font_) return {};
    std::int64_t width = 0;
    font_->decoder().decode(text, [&](char32_t c) { width += font_->glyph(c).advance; });
    return {toInt(width), font_->cellHeight()};
}

void Raster::text(int x, int y, std::string_view text, Rgb colour, Rgb background) {
    if (!font_) return;
    // The whole cell first, as an opaque text background is: glyphs that reach beyond their
    // advance must not be covered by the next one's background.
    const Size extent = textExtent(text);
    fillRect({x, y, toInt(std::int64_t{x} + extent.width), toInt(std::int64_t{y} + extent.height)},
             background);
    std::int64_t pen = x;
    const std::int64_t baseline = std::int64_t{y} + font_->ascent();
    font_->decoder().decode(text, [&](char32_t c) {
        const Glyph& glyph = font_->glyph(c);
        drawGlyph(glyph, pen, baseline, colour);
        pen += glyph.advance;
    });
}

void Raster::drawGlyph(const Glyph& glyph, std::int64_t penX, std::int64_t baseline, Rgb colour) {
    const std::int64_t left = penX + glyph.left;
    const std::int64_t top = baseline - glyph.top;
    const std::int64_t firstColumn = std::clamp<std::int64_t>(clip_.left - left, 0, kGlyphBox);
    const std::int64_t endColumn = std::clamp<std::int64_t>(clip_.right - left, 0, kGlyphBox);
    if (firstColumn >= endColumn) return;
    const std::uint32_t visible = columnMask(firstColumn, endColumn);
    for (int row = 0; row < glyph.height; ++row) {
        const std::int64_t y = top + row;
        if (y < clip_.top || y >= clip_.bottom) continue;
        for (std::uint32_t bits = glyph.rows[row] & visible; bits != 0;) {
            const int column = std::countl_zero(bits);
            bits &= ~(0x80000000u >> column);
            detail::combine<RasterOp::Copy>(
                at(static_cast<int>(left + column), static_cast<int>(y)), colour);
        }
    }
}

}  // namespace rz::render
