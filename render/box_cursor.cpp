#include "render/box_cursor.hpp"

#include <algorithm>
#include <array>
#include <cmath>

#include "db/system_variables.hpp"
#include "geometry/truncate.hpp"
#include "render/view_context.hpp"

namespace rz::render {
namespace {

// Which coordinates of each corner come from e: x, y, z.
constexpr std::array<std::array<bool, 3>, 8> kCornerFromE{{
    {false, false, false},
    {false, false, true},
    {true, false, true},
    {true, false, false},
    {false, true, false},
    {false, true, true},
    {true, true, true},
    {true, true, false},
}};

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

Point pixelOf(const ScreenPoint& p) {
    const auto whole = [](double v) {
        return static_cast<int>(std::clamp(std::floor(v), -1.0e9, 1.0e9));
    };
    return {whole(p.x), whole(p.y)};
}

void drawInPane(Views& views, int index, const PaneProjector& projector, const Pen& pen,
                const Vec3& s, const Vec3& e, int direc) {
    Raster& raster = views.raster;
    const Pane& pane = views.layout.panes[index];
    const Rect clip = pane.rect.rect();
    CursorPane& record = views.cursor[index];
    record = CursorPane{};

    std::array<Vec3d, 8> corners{};
    std::array<bool, 8> projected{};
    for (int c = 0; c < 8; ++c) {
        corners[c] = projector.map(cursorCorner(s, e, c));
        const std::optional<ScreenPoint> p = projector.screen(corners[c]);
        if (!p || !std::isfinite(p->x) || !std::isfinite(p->y)) continue;
        projected[c] = true;
        record.handles[c] = pixelOf(*p);
        record.boxLeft = std::min(record.boxLeft, record.handles[c].x);
        record.boxTop = std::min(record.boxTop, record.handles[c].y);
        record.boxRight = std::max(record.boxRight, record.handles[c].x);
        record.boxBottom = std::max(record.boxBottom, record.handles[c].y);
    }

    if (projector.perspective()) {
        for (const auto& edge : kEdges)
            drawSegment(raster, projector, corners[edge[0]], corners[edge[1]], pen, clip);
    } else if (record.boxLeft <= record.boxRight) {
        // Front and back faces fall on one another here: the outline alone, once.
        raster.frameRect({record.boxLeft, record.boxTop, record.boxRight + 1, record.boxBottom + 1},
                         pen.colour, pen.op);
    }
    raster.setClip(clip);
    // Corners that fall on one pixel get one handle, or XOR would take it away again.
    for (int c = 0; c < 8; ++c) {
        if (!projected[c]) continue;
        const Point h = record.handles[c];
        bool repeated = false;
        for (int o = 0; o < c; ++o) repeated = repeated || (projected[o] && record.handles[o] == h);
        if (repeated) continue;
        raster.frameRect(
            {h.x - kHandleHalf, h.y - kHandleHalf, h.x + kHandleHalf + 1, h.y + kHandleHalf + 1},
            pen.colour, pen.op);
    }
    const std::optional<ScreenPoint> m =
        projector.screen(projector.map(directionMarkerPoint(s, e, direc)));
    if (m && std::isfinite(m->x) && std::isfinite(m->y)) {
        record.marker = pixelOf(*m);
        const Point c = record.marker;
        raster.frameRect(
            {c.x - kMarkerHalf, c.y - kMarkerHalf, c.x + kMarkerHalf + 1, c.y + kMarkerHalf + 1},
            pen.colour, pen.op);
        const Letter& letter = kLetters[direc - 1];
        for (int k = 0; k < letter.count; ++k) {
            const PixelSegment& st = letter.strokes[k];
            raster.line(c.x + st.x0, c.y + st.y0, c.x + st.x1, c.y + st.y1, pen.colour, pen.op);
        }
    }
    raster.resetClip();
}

}  // namespace

Vec3 cursorCorner(const Vec3& s, const Vec3& e, int corner) {
    const auto& fromE = kCornerFromE[static_cast<std::size_t>(corner) & 7];
    return {fromE[0] ? e[0] : s[0], fromE[1] ? e[1] : s[1], fromE[2] ? e[2] : s[2]};
}

Vec3 directionMarkerPoint(const Vec3& s, const Vec3& e, int direc) {
    const int along = (direc >= 1 && direc <= 3 ? direc : 1) - 1;
    Vec3d sum{};
    for (int axis = 0; axis < 3; ++axis) {
        Vec3d p = widen(s);
        p[axis] = axis == along ? e[axis] : (static_cast<double>(s[axis]) + e[axis]) / 2.0;
        sum = sum + p;
    }
    return narrow(sum * (1.0 / 3.0));
}

void drawBoxCursor(Views& views, script::Interp& in, bool perspectiveOnly) {
    const PaneTargets targets = paneTargets(views, cameraOfVariables(in), perspectiveOnly);
    const Pen pen{readPalette(in)[static_cast<int>(db::WireColour::Anker)], RasterOp::Xor};
    const Vec3 s = db::vectorVar(in, db::SysVar::BoxS);
    const Vec3 e = db::vectorVar(in, db::SysVar::BoxE);
    const int direc = direction(in);
    for (int t = 0; t < targets.count; ++t)
        drawInPane(views, targets.pane[t], targets.projector[t], pen, s, e, direc);
}

}  // namespace rz::render
