#include "render/box_cursor.hpp"

#include <algorithm>
#include <array>
#include <cmath>

#include "db/current_records.hpp"
#include "db/system_variables.hpp"
#include "geometry/box_cursor.hpp"
#include "geometry/truncate.hpp"
#include "render/pane_pick.hpp"
#include "render/view_context.hpp"

namespace rz::render {
namespace {

// The twelve edges of the box as corner pairs.
constexpr std::array<std::array<int, 2>, 12> kEdges{{
    {0, 1},
    {1, 2},
    {2, 3},
    {3, 0},
    {4, 5},
    {5, 6},
    {6, 7},
    {7, 4},
    {0, 4},
    {1, 5},
    {2, 6},
    {3, 7},
}};

constexpr int kHandleHalf = 2;  // handles are 5 pixels square
constexpr int kMarkerHalf = 5;  // the marker is 11 pixels square

// The letters of the direction, in strokes that share no pixel, around the marker's centre.
struct Letter {
    std::array<PixelSegment, 3> strokes;
    int count;
};
constexpr std::array<Letter, 3> kLetters{{
    {{{{-2, -2, 2, 2}, {1, -2, -3, 2}}}, 2},                  // X
    {{{{-2, -2, 0, 0}, {2, -2, 0, 0}, {0, 0, 0, 3}}}, 3},     // Y
    {{{{-2, -2, 3, -2}, {1, -1, -2, 2}, {-2, 2, 3, 2}}}, 3},  // Z
}};

int direction(script::Interp& in) {
    const int d = geometry::truncateToInt(db::scalarVar(in, db::SysVar::Direc));
    return d >= 1 && d <= 3 ? d : 1;
}

// Handle positions are whole pixels far inside int (the projector floors them).
Point pixelOf(const db::ScreenPoint& p) {
    const auto whole = [](double v) { return static_cast<int>(std::clamp(v, -1.0e9, 1.0e9)); };
    return {whole(p.x), whole(p.y)};
}

void frameAround(Raster& raster, Point c, int half, const Pen& pen) {
    raster.frameRect({c.x - half, c.y - half, c.x + half + 1, c.y + half + 1}, pen.colour, pen.op);
}

// One pane's cursor, its handles where the mouse tools find them.
void drawInPane(Raster& raster, const Pane& pane, const PaneProjector& projector, const Pen& pen,
                const DrawnCursor& d) {
    const Rect clip = pane.rect.rect();
    db::CursorPane record;
    geometry::refreshCursorPane(record, d.s, d.e, d.direc, CursorPaneProjector(projector));

    raster.setClip(clip);
    if (projector.perspective()) {
        std::array<Vec3d, db::kCursorCorners> corners{};
        for (int c = 0; c < db::kCursorCorners; ++c)
            corners[c] = projector.map(geometry::cursorCorner(d.s, d.e, c));
        for (const auto& edge : kEdges)
            drawSegment(raster, projector, corners[edge[0]], corners[edge[1]], pen, clip);
    } else if (record.boxMin.x <= record.boxMax.x) {
        // Front and back faces fall on one another here: the outline alone, once.
        const Point lo = pixelOf(record.boxMin);
        const Point hi = pixelOf(record.boxMax);
        raster.frameRect({lo.x, lo.y, hi.x + 1, hi.y + 1}, pen.colour, pen.op);
    }
    // Corners that fall on one pixel get one handle, or XOR would take it away again.
    for (int c = 0; c < db::kCursorCorners; ++c) {
        if (!record.projected[c]) continue;
        bool repeated = false;
        for (int o = 0; o < c; ++o)
            repeated = repeated || (record.projected[o] && record.handles[o] == record.handles[c]);
        if (!repeated) frameAround(raster, pixelOf(record.handles[c]), kHandleHalf, pen);
    }
    if (record.markerProjected) {
        const Point c = pixelOf(record.marker);
        frameAround(raster, c, kMarkerHalf, pen);
        const Letter& letter = kLetters[d.direc - 1];
        for (int k = 0; k < letter.count; ++k) {
            const PixelSegment& st = letter.strokes[k];
            raster.line(c.x + st.x0, c.y + st.y0, c.x + st.x1, c.y + st.y1, pen.colour, pen.op);
        }
    }
    raster.resetClip();
}

void drawRecorded(Views& views) {
    const DrawnCursor& d = views.cursor;
    const Pen pen{d.colour, RasterOp::Xor};
    for (int i = 0; i < d.layout.count; ++i)
        if (d.inPane[i])
            drawInPane(views.raster, d.layout.panes[i], PaneProjector(d.layout.panes[i], d.camera),
                       pen, d);
}

}  // namespace

PaneMask allPanes(const Views& views) {
    PaneMask mask{};
    for (int i = 0; i < views.layout.count; ++i) mask[i] = true;
    return mask;
}

void eraseBoxCursor(Views& views) {
    drawRecorded(views);
    views.cursor.inPane = {};
}

void drawBoxCursor(Views& views, script::Interp& in, const PaneMask& panes) {
    const db::BoxCursorState& state = db::database(in).boxCursor;
    DrawnCursor& d = views.cursor;
    d.layout = views.layout;
    d.camera = cameraOfVariables(in);
    d.s = db::vectorVar(in, db::SysVar::BoxS);
    d.e = db::vectorVar(in, db::SysVar::BoxE);
    d.direc = direction(in);
    d.colour = readPalette(
        in)[static_cast<int>(state.active ? db::WireColour::Active : db::WireColour::Anker)];
    d.inPane = {};
    for (int i = 0; i < views.layout.count; ++i) d.inPane[i] = panes[i];
    drawRecorded(views);
}

void refreshCursorPanes(const Views& views, script::Interp& in) {
    db::BoxCursorState& state = db::database(in).boxCursor;
    const PaneTargets targets = paneTargets(views, cameraOfVariables(in), false);
    const Vec3 s = db::vectorVar(in, db::SysVar::BoxS);
    const Vec3 e = db::vectorVar(in, db::SysVar::BoxE);
    const int direc = direction(in);
    state.panes = {};
    for (int t = 0; t < targets.count; ++t)
        geometry::refreshCursorPane(state.panes[targets.pane[t]], s, e, direc,
                                    CursorPaneProjector(targets.projector[t]));
}

void redrawBoxCursor(script::Interp& in) {
    Views* views = startedViews(in);
    if (views == nullptr || views->previewOwnsWindow) return;
    eraseBoxCursor(*views);
    if (db::database(in).boxCursor.shown) drawBoxCursor(*views, in, allPanes(*views));
    refreshCursorPanes(*views, in);
}

}  // namespace rz::render
