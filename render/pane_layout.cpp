#include "render/pane_layout.hpp"

#include <algorithm>

namespace rz::render {
namespace {

struct LayoutRow {
    int winmode;
    int count;
    std::array<DisplayMode, kMaxPanes> modes;
};

constexpr std::array<LayoutRow, 5> kLayouts{{
    {kW4Mode, 4, {DisplayMode::Perspective, DisplayMode::XZ, DisplayMode::YZ, DisplayMode::XY}},
    {3, 1, {DisplayMode::XY}},
    {4, 1, {DisplayMode::YZ}},
    {5, 1, {DisplayMode::XZ}},
    {kParsMode, 1, {DisplayMode::Perspective}},
}};

constexpr std::array<double, 11> kZoomFactors{2, 5, 10, 20, 50, 100, 200, 500, 1000, 2000, 5000};

// The rectangles of the four quarters and of the single pane, the panes starting 7 pixels
// inside the view area's corner.
std::array<PaneRect, kMaxPanes> quarters(const ViewArea& a) {
    const int x0 = a.x + 7;
    const int y0 = a.y + 7;
    const int hw = a.width / 2;
    const int hh = a.height / 2;
    return {{
        {x0, y0, x0 + hw - 1, y0 + hh - 1},
        {x0 + hw + 1, y0, x0 + 2 * hw, y0 + hh - 1},
        {x0, y0 + hh + 1, x0 + hw - 1, y0 + 2 * hh},
        {x0 + hw + 1, y0 + hh + 1, x0 + 2 * hw, y0 + 2 * hh},
    }};
}

}  // namespace

std::optional<PaneLayout> layoutPanes(const ViewArea& area, int winmode, double factor,
                                      const Vec3d& center) {
    const auto row = std::find_if(kLayouts.begin(), kLayouts.end(),
                                  [&](const LayoutRow& r) { return r.winmode == winmode; });
    if (row == kLayouts.end()) return std::nullopt;
    PaneLayout layout;
    layout.count = row->count;
    const std::array<PaneRect, kMaxPanes> fours = quarters(area);
    const PaneRect single{area.x + 7, area.y + 7, area.x + 7 + area.width - 1,
                          area.y + 7 + area.height - 1};
    for (int i = 0; i < row->count; ++i) {
        Pane& p = layout.panes[i];
        p.rect = row->count == 1 ? single : fours[i];
        p.mode = row->modes[i];
        p.world = worldWindow(p.mode, p.rect.width(), p.rect.height(), factor, center);
    }
    return layout;
}

WorldWindow worldWindow(DisplayMode mode, int width, int height, double f, const Vec3d& c) {
    const double halfW = (width / 2) * f;
    const double halfH = (height / 2) * f;
    switch (mode) {
        case DisplayMode::XY:
            return {c[0] - halfW, c[1] + halfH, c[0] + halfW, c[1] - halfH, f, -f};
        case DisplayMode::YZ:
            return {c[2] + halfW, c[1] + halfH, c[2] - halfW, c[1] - halfH, -f, -f};
        case DisplayMode::XZ:
            return {c[0] - halfW, c[2] - halfH, c[0] + halfW, c[2] + halfH, f, f};
        case DisplayMode::Perspective:
            break;
    }
    return {};
}

std::optional<double> zoomFactor(int n) {
    if (n < 0 || n >= static_cast<int>(kZoomFactors.size())) return std::nullopt;
    return kZoomFactors[n];
}

}  // namespace rz::render
