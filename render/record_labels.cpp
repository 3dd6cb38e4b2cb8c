#include "render/record_labels.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string_view>

#include "db/current_records.hpp"
#include "db/selection_state.hpp"
#include "geometry/block_transform.hpp"
#include "render/pane_pick.hpp"
#include "render/text_face.hpp"
#include "render/view_context.hpp"
#include "render/view_legend.hpp"
#include "script/arguments.hpp"

namespace rz::render {
namespace {

using script::kFail;
using script::kOk;

enum class LabelKind { Shape, Block };

struct Label {
    int shape = -1;  // the shape that carries it; -1 for a rigid's
    std::array<char, 128> buffer{};
    std::string_view text;
    Vec3 centre{};  // in the carrier's own coordinates
    std::uint8_t layer = 0;
};

template <std::size_t N>
int nameLength(const std::array<char, N>& name) {
    return static_cast<int>(strnlen(name.data(), N));
}

void compose(Label& l, int length) {
    const int n = std::clamp(length, 0, static_cast<int>(l.buffer.size()) - 1);
    l.text = {l.buffer.data(), static_cast<std::size_t>(n)};
}

// Calls f(label) for each shape or block label in shape order until f gives true. Hidden
// shapes carry no label, nor do the shapes of block 0 or of a hidden block by block, nor a
// shape whose box is still empty.
template <class F>
void forEachLabel(const db::Database& db, LabelKind kind, F f) {
    const int count = std::clamp<int>(db.shapeCount, 0, static_cast<int>(db.shapes.size()));
    const int blocks = std::clamp<int>(db.blockCount, 0, static_cast<int>(db.blocks.size()));
    std::int64_t runBlock = -1;
    bool runLabelled = false;
    for (int i = 0; i < count; ++i) {
        const db::Shape& s = db.shapes[i];
        if (kind == LabelKind::Block) {
            if (s.shapeId == runBlock && runLabelled) continue;
            if (s.shapeId != runBlock) runLabelled = false;
            runBlock = s.shapeId;
            if (s.shapeId == 0 || s.shapeId >= static_cast<std::uint32_t>(blocks) ||
                db.blocks[s.shapeId].layer == db::kLayerHidden)
                continue;
        }
        if (s.layer == db::kLayerHidden) continue;
        if (s.bbmin[0] > s.bbmax[0] || s.bbmin[1] > s.bbmax[1] || s.bbmin[2] > s.bbmax[2]) continue;
        runLabelled = true;
        Label l;
        l.shape = i;
        l.layer = s.layer;
        l.centre = narrow((widen(s.bbmin) + widen(s.bbmax)) * 0.5);
        if (kind == LabelKind::Shape) {
            compose(l, std::snprintf(l.buffer.data(), l.buffer.size(), "Skin(%d)", i));
        } else {
            const auto& name = db.blocks[s.shapeId].name;
            compose(l, std::snprintf(l.buffer.data(), l.buffer.size(), "Block(%d): %.*s",
                                     static_cast<int>(s.shapeId), nameLength(name), name.data()));
        }
        if (f(l)) return;
    }
}

// Where a label's carrier is placed: a shape as the wireframe places it, a rigid's joint
// as it stands in the world.
script::Result placementOf(db::Database& db, platform::MessageService& msg, const Label& l,
                           Mat4& out) {
    if (l.shape < 0) {
        out = kIdentity;
        return kOk;
    }
    if (geometry::beginShapePlacement(db, msg, l.shape) != kOk) return kFail;
    out = db.geometry.current;
    return geometry::endShapePlacement(db, msg);
}

// The pixel of the label's top-left corner in a pane; nothing behind the perspective near
// limit or far outside any image.
std::optional<Point> labelOrigin(PaneProjector projector, const Mat4& placement, const Vec3& c) {
    projector.place(placement);
    const std::optional<ScreenPoint> p = projector.screen(projector.map(c));
    constexpr double kFar = 1.0e6;
    if (!p || !(std::abs(p->x) < kFar) || !(std::abs(p->y) < kFar)) return std::nullopt;
    return Point{static_cast<int>(std::floor(p->x)), static_cast<int>(std::floor(p->y))};
}

void ensureFont(Views& views) {
    if (views.fontTried) return;
    views.fontTried = true;
    views.raster.loadFont();
}

// The label's cell: as the font measures it, or the views' text cells without a font.
Size labelExtent(Views& views, std::string_view text) {
    if (views.raster.hasFont()) return views.raster.textExtent(text);
    return {cellWidth(text), kTextPixelSize};
}

void drawLabel(Views& views, const Palette& palette, const Rect& clip, Point at, const Label& l) {
    const auto colour = [&](db::WireColour c) { return palette[static_cast<int>(c)]; };
    const bool active = l.layer == db::kLayerActive;
    views.raster.setClip(clip);
    views.raster.text(at.x, at.y, l.text,
                      colour(active ? db::WireColour::Layer : db::WireColour::FontMain),
                      colour(db::WireColour::FontBase));
    views.raster.resetClip();
}

// Draws one label into every pane; kFail after the message when its shape cannot be placed.
script::Result drawInPanes(Views& views, db::Database& db, platform::MessageService& msg,
                           const PaneTargets& targets, const Palette& palette, const Label& l) {
    Mat4 placement;
    if (placementOf(db, msg, l, placement) != kOk) return kFail;
    for (int t = 0; t < targets.count; ++t) {
        const std::optional<Point> at = labelOrigin(targets.projector[t], placement, l.centre);
        if (at) drawLabel(views, palette, views.layout.panes[targets.pane[t]].rect.rect(), *at, l);
    }
    return kOk;
}

script::Result drawLabels(Views& views, script::Interp& in, LabelKind kind) {
    ensureFont(views);
    db::Database& db = db::database(in);
    const PaneTargets targets = paneTargets(views, currentCamera(in), false);
    const Palette palette = readPalette(in);
    // Placing shapes moves the rotation centre to each block's centre; the user's stays.
    const Vec3 centre = db.geometry.center;
    script::Result result = kOk;
    forEachLabel(db, kind, [&](const Label& l) {
        result = drawInPanes(views, db, in.msg, targets, palette, l);
        return result != kOk;
    });
    if (kind == LabelKind::Block && result == kOk) {
        const int rigids = std::clamp<int>(db.rigidCount, 0, static_cast<int>(db.rigids.size()));
        for (int r = 0; r < rigids && result == kOk; ++r) {
            const db::Rigid& rigid = db.rigids[r];
            Label l;
            l.centre = rigid.pos;
            l.layer = rigid.layer;
            compose(l, std::snprintf(l.buffer.data(), l.buffer.size(), "Rigid(%d): %.*s", r,
                                     nameLength(rigid.name), rigid.name.data()));
            result = drawInPanes(views, db, in.msg, targets, palette, l);
        }
    }
    db.geometry.center = centre;
    return result;
}

int pickAt(Views& views, script::Interp& in, int x, int y, LabelKind kind) {
    const int pane = paneAt(views.layout, x, y);
    if (pane < 0) return -1;
    ensureFont(views);
    db::Database& db = db::database(in);
    const PaneProjector projector(views.layout.panes[pane], cameraOfVariables(in));
    const Vec3 centre = db.geometry.center;
    int hit = -1;
    forEachLabel(db, kind, [&](const Label& l) {
        Mat4 placement;
        if (placementOf(db, in.msg, l, placement) != kOk) return true;
        const std::optional<Point> at = labelOrigin(projector, placement, l.centre);
        if (!at) return false;
        const Size extent = labelExtent(views, l.text);
        if (x < at->x || x > at->x + extent.width || y < at->y || y > at->y + extent.height)
            return false;
        hit = l.shape;
        return true;
    });
    db.geometry.center = centre;
    if (hit < 0) return -1;

    std::uint8_t& layer = db.shapes[hit].layer;
    if (layer != db::kLayerNormal && layer != db::kLayerActive) return hit;
    layer = db::kLayerActive - layer;
    if (kind == LabelKind::Block) {
        const int count = std::clamp<int>(db.shapeCount, 0, static_cast<int>(db.shapes.size()));
        for (int j = hit + 1; j < count; ++j) {
            db::Shape& s = db.shapes[j];
            if (s.shapeId == db.shapes[hit].shapeId && s.layer != db::kLayerHidden) s.layer = layer;
        }
    }
    // The label of the new state, where the hit test found it.
    forEachLabel(db, kind, [&](const Label& l) {
        if (l.shape != hit) return false;
        static_cast<void>(drawInPanes(views, db, in.msg,
                                      paneTargets(views, cameraOfVariables(in), false),
                                      readPalette(in), l));
        return true;
    });
    db.geometry.center = centre;
    return hit;
}

// The labels are drawn where the views are; without them there is nothing to draw on.
script::Result labelCommand(script::Interp& in, LabelKind kind) {
    if (script::noArguments(in) != kOk) return kFail;
    Views* views = startedViews(in);
    if (views == nullptr || views->previewOwnsWindow) return kOk;
    return drawLabels(*views, in, kind);
}

}  // namespace

int pickShapeAt(Views& views, script::Interp& in, int x, int y) {
    return pickAt(views, in, x, y, LabelKind::Shape);
}

int pickBlockAt(Views& views, script::Interp& in, int x, int y) {
    return pickAt(views, in, x, y, LabelKind::Block);
}

static script::Result cmdPickFace(script::Interp& in) {
    return labelCommand(in, LabelKind::Shape);
}

static script::Result cmdPickBlock(script::Interp& in) {
    return labelCommand(in, LabelKind::Block);
}

namespace {
const std::array<script::CommandRow, 2> kCommands{{
    {"pick.face", cmdPickFace},
    {"pick.block", cmdPickBlock},
}};
}  // namespace

std::span<const script::CommandRow> labelCommands() {
    return kCommands;
}

}  // namespace rz::render
