#include "render/view_legend.hpp"

#include <array>
#include <cstdio>

namespace rz::render {
namespace {

constexpr int kHalfCell = 8;

struct Label {
    std::string_view text;
    int x;
    int y;
};

// An axis cross of eight segments: an arrow along each axis (shaft and two barbs) and a
// short tick behind the origin on each. dx and dy point the arrows across and down.
void drawAxisCross(Raster& raster, int x, int y, int dx, int dy, const Pen& pen) {
    constexpr int kAcross = 10;
    constexpr int kDown = 12;
    constexpr int kBarb = 3;
    const int hx = x + dx * kAcross;
    const int vy = y + dy * kDown;
    const std::array<PixelSegment, 8> segments{{
        {x, y, hx, y},
        {hx, y, hx - dx * kBarb, y - kBarb},
        {hx, y, hx - dx * kBarb, y + kBarb},
        {x, y, x, vy},
        {x, vy, x - kBarb, vy - dy * kBarb},
        {x, vy, x + kBarb, vy - dy * kBarb},
        {x, y, x - dx * kBarb, y},
        {x, y, x, y - dy * kBarb},
    }};
    for (const PixelSegment& s : segments) raster.line(s.x0, s.y0, s.x1, s.y1, pen.colour, pen.op);
}

}  // namespace

int cellWidth(std::string_view text) {
    int width = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 1;
        if (lead >= 0xF0)
            length = 4;
        else if (lead >= 0xE0)
            length = 3;
        else if (lead >= 0xC0)
            length = 2;
        // U+FF61..U+FF9F, the half-width katakana, take one cell like ASCII.
        const bool halfWidthKana = length == 3 && i + 2 < text.size() && lead == 0xEF &&
                                   ((static_cast<unsigned char>(text[i + 1]) == 0xBD &&
                                     static_cast<unsigned char>(text[i + 2]) >= 0xA1) ||
                                    (static_cast<unsigned char>(text[i + 1]) == 0xBE &&
                                     static_cast<unsigned char>(text[i + 2]) <= 0x9F));
        width += length == 1 || halfWidthKana ? kHalfCell : 2 * kHalfCell;
        i += length;
    }
    return width;
}

void drawLegend(Raster& raster, const Pane& pane, const Palette& palette, Rgb background,
                float gridStep) {
    std::array<char, 64> scale{};
    std::snprintf(scale.data(), scale.size(), "scale: %7.3f", static_cast<double>(gridStep));
    const std::string_view scaleText(scale.data());
    const int scaleWidth = cellWidth(scaleText);
    const PaneRect& r = pane.rect;
    const Pen pen{palette[static_cast<int>(db::WireColour::Axis)]};

    std::array<Label, 4> labels{};
    int count = 0;
    switch (pane.mode) {
        case DisplayMode::Perspective:
            labels[count++] = {scaleText, r.right - 13 - scaleWidth, r.top + 4};
            break;
        case DisplayMode::XY:
            labels[count++] = {scaleText, r.left + 43, r.bottom - 25};
            labels[count++] = {"X", r.left + 25, r.bottom - 25};
            labels[count++] = {"Y", r.left + 9, r.bottom - 45};
            labels[count++] = {kFrontView, r.left + 13, r.top + 4};
            drawAxisCross(raster, r.left + 12, r.bottom - 13, 1, -1, pen);
            break;
        case DisplayMode::YZ:
            labels[count++] = {scaleText, r.right - 43 - scaleWidth, r.bottom - 25};
            labels[count++] = {"Z", r.right - 33, r.bottom - 25};
            labels[count++] = {"Y", r.right - 17, r.bottom - 45};
            labels[count++] = {kSideView, r.right - 13 - cellWidth(kSideView), r.top + 4};
            drawAxisCross(raster, r.right - 12, r.bottom - 13, -1, -1, pen);
            break;
        case DisplayMode::XZ:
            labels[count++] = {scaleText, r.left + 43, r.top + 9};
            labels[count++] = {"X", r.left + 25, r.top + 9};
            labels[count++] = {"Z", r.left + 9, r.top + 29};
            labels[count++] = {kTopView, r.left + 13, r.bottom - 20};
            drawAxisCross(raster, r.left + 12, r.top + 16, 1, 1, pen);
            break;
    }
    for (int i = 0; i < count; ++i)
        raster.text(labels[i].x, labels[i].y, labels[i].text, pen.colour, background);
}

}  // namespace rz::render
