#include "render/view_repaint.hpp"

#include <algorithm>
#include <cmath>

#include "db/current_records.hpp"
#include "db/system_variables.hpp"
#include "geometry/truncate.hpp"
#include "render/view_context.hpp"
#include "render/view_grid.hpp"
#include "render/view_legend.hpp"

namespace rz::render {
namespace {

using db::SysVar;
using db::WireColour;

// Window variables far outside any screen are held to this many pixels, so the pane
// arithmetic stays within int.
constexpr float kPixelBound = 1.0e6f;

int pixelVariable(script::Interp& in, SysVar v) {
    const float value = db::scalarVar(in, v);
    if (std::isnan(value)) return 0;
    return static_cast<int>(std::clamp(value, -kPixelBound, kPixelBound));
}

Rgb colour(const Palette& p, WireColour c) {
    return p[static_cast<int>(c)];
}

// A sunken bevel: shadow on the top and left, light on the bottom and right, and a dark
// line inside the shadow.
void drawFrame(Raster& raster, const Palette& p, const Rect& r) {
    const Rgb shadow = colour(p, WireColour::LineBase);
    const Rgb light = colour(p, WireColour::White);
    const Rgb dark = colour(p, WireColour::Black);
    raster.fillRect({r.left, r.top, r.right, r.top + 1}, shadow);
    raster.fillRect({r.left, r.top, r.left + 1, r.bottom}, shadow);
    raster.fillRect({r.left, r.bottom - 1, r.right, r.bottom}, light);
    raster.fillRect({r.right - 1, r.top + 1, r.right, r.bottom}, light);
    raster.fillRect({r.left + 1, r.top + 1, r.right - 1, r.top + 2}, dark);
    raster.fillRect({r.left + 1, r.top + 1, r.left + 2, r.bottom - 1}, dark);
}

void ensureFont(Views& views) {
    if (views.fontTried) return;
    views.fontTried = true;
    views.raster.loadFont();
}

void repaintPane(Views& views, script::Interp& in, const Palette& palette, const CameraView& camera,
                 int index) {
    const Pane& pane = views.layout.panes[index];
    const bool perspective = pane.mode == DisplayMode::Perspective;
    const Rgb background = colour(palette, perspective ? WireColour::Black : WireColour::LineBase);
    Raster& raster = views.raster;
    const Rect r = pane.rect.rect();
    raster.fillRect(r, background);
    raster.frameRect(r, colour(palette, WireColour::Black));

    const bool gridOn = db::scalarVar(in, SysVar::GridSw) != 0.0f;
    if (gridOn && (!perspective || db::database(in).boxCursor.perspectiveGrid))
        drawGrid(raster, pane, PaneProjector(pane, camera), palette, gridSpec(in));

    ensureFont(views);
    raster.setClip(r);
    drawLegend(raster, pane, palette, background, db::scalarVar(in, SysVar::GridStep));
    raster.resetClip();
}

}  // namespace

ViewArea viewArea(script::Interp& in) {
    return {pixelVariable(in, SysVar::WindyXpos), pixelVariable(in, SysVar::WindyYpos),
            pixelVariable(in, SysVar::WindyXwidth), pixelVariable(in, SysVar::WindyYwidth)};
}

Rect viewAreaFrame(const ViewArea& a) {
    return {a.x, a.y, a.x + a.width + 10, a.y + a.height + 13};
}

Rect viewAreaInside(const ViewArea& a) {
    const Rect f = viewAreaFrame(a);
    return {f.left + 2, f.top + 2, f.right - 2, f.bottom - 2};
}

void layoutViews(Views& views, script::Interp& in) {
    float& winmode = db::scalarVar(in, SysVar::Winmode);
    const ViewArea area = viewArea(in);
    const Vec3d center = widen(db::vectorVar(in, SysVar::WCenter));
    const int mode = geometry::truncateToInt(winmode);
    std::optional<PaneLayout> layout = layoutPanes(area, mode, views.factor, center);
    if (!layout) {
        in.msg.internalError();
        winmode = static_cast<float>(kParsMode);
        layout = layoutPanes(area, kParsMode, views.factor, center);
    }
    views.layout = *layout;
}

void repaint(Views& views, script::Interp& in, int clearMode) {
    const Palette palette = readPalette(in);
    const CameraView camera = cameraOfVariables(in);
    Raster& raster = views.raster;
    const ViewArea area = viewArea(in);
    int first = 0;
    int last = views.layout.count - 1;
    if (clearMode == kWindyDraw || clearMode == kAllClear) {
        raster.fillRect({0, 0, raster.width(), raster.height()},
                        colour(palette, WireColour::AllBase));
        drawFrame(raster, palette, viewAreaFrame(area));
    } else if (clearMode == kPlaneClear) {
        raster.fillRect(viewAreaInside(area), colour(palette, WireColour::WinBase));
    } else {
        first = last = clearMode - kPlane1Clear;
    }
    for (int i = first; i <= last && i < views.layout.count; ++i)
        repaintPane(views, in, palette, camera, i);
    // What was cleared holds no cursor to take away.
    if (first == 0 && last == views.layout.count - 1)
        views.cursor.inPane = {};
    else if (first >= 0 && first < kMaxPanes)
        views.cursor.inPane[first] = false;
}

}  // namespace rz::render
