#include "db/layer_commands.hpp"

#include <algorithm>
#include <array>
#include <limits>

#include "db/current_records.hpp"
#include "db/layer_states.hpp"
#include "db/record_commands_common.hpp"
#include "db/selection_support.hpp"
#include "script/arguments.hpp"
#include "script/messages.hpp"
#include "script/statement.hpp"

namespace rz::db {
namespace {

using script::kFail;
using script::kOk;

// A layer argument that fits the state byte, with room for the highlight when `select`.
script::Result layerValue(script::Interp& in, bool select, std::uint8_t& out) {
    std::int32_t n = 0;
    if (optionalWhole(in, 0, n) != kOk) return kFail;
    const std::int32_t highest = std::numeric_limits<std::uint8_t>::max() - (select ? 100 : 0);
    if (n < 0 || n > highest) return script::fail(in, script::msg::kBadParam);
    out = static_cast<std::uint8_t>(n);
    return kOk;
}

// Whether a shape's mapping chain names mapinfo m. A link outside the maplists in use ends
// the chain, and no walk takes more steps than there are maplists, whatever a loaded file
// left in the links.
bool chainNames(const Database& db, const Shape& s, std::int32_t m) {
    const std::int32_t limit =
        static_cast<std::int32_t>(std::clamp<std::int64_t>(db.maplistCount, 0, db.maplists.size()));
    std::int32_t r = s.textureId;
    for (std::int32_t steps = 0; r >= 1 && r < limit && steps < limit; ++steps) {
        if (db.maplists[r].mapinfo == m) return true;
        r = db.maplists[r].next;
    }
    return false;
}

// Flips every normal or active shape that `uses` picks, showing each for a moment as it
// goes; then every block from 1 on takes the state of its last shape that `uses` picks.
template <class Uses>
void toggleShapes(script::Interp& in, Uses uses) {
    Database& db = database(in);
    const std::span<Shape> shapes = liveShapes(db);
    for (Shape& s : shapes) {
        if (!uses(s) || (s.layer != kLayerNormal && s.layer != kLayerActive)) continue;
        s.layer = kLayerActive - s.layer;
        const bool nowActive = s.layer == kLayerActive;
        highlight(s.layer);
        requestRedraw(in, nowActive ? kRedrawNormal : kRedrawToggled);
        unhighlight(s.layer);
    }
    const std::span<Block> blocks = liveBlocks(db);
    for (const Shape& s : shapes)
        if (uses(s) && s.shapeId >= 1 && s.shapeId < blocks.size())
            blocks[s.shapeId].layer = s.layer;
}

}  // namespace

static script::Result cmdRevLayer(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    reverseLayers(database(in));
    requestRedraw(in, kRedrawNormal);
    return kOk;
}

static script::Result cmdHideLayer(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    hideLayers(database(in));
    requestRedraw(in, kRedrawNormal, true);
    return kOk;
}

static script::Result cmdSetLayer(script::Interp& in) {
    std::uint8_t layer = 0;
    if (layerValue(in, false, layer) != kOk) return kFail;
    setLayers(database(in), layer);
    requestRedraw(in, kRedrawNormal);
    return kOk;
}

static script::Result cmdSetSelect(script::Interp& in) {
    std::uint8_t layer = 0;
    if (layerValue(in, true, layer) != kOk) return kFail;
    Database& db = database(in);
    setSelectLayers(db, layer);
    db.selection.selectLayer = layer;
    return kOk;
}

static script::Result cmdResetSelect(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    resetSelectLayers(database(in));
    return kOk;
}

static script::Result cmdSelBlockAttri(script::Interp& in) {
    std::int32_t a = 0;
    if (optionalWhole(in, 0, a) != kOk) return kFail;
    toggleShapes(in, [a](const Shape& s) { return s.attribId == a; });
    return kOk;
}

static script::Result cmdSelBlockMapping(script::Interp& in) {
    std::int32_t m = 0;
    if (optionalWhole(in, 1, m) != kOk) return kFail;
    const Database& db = database(in);
    toggleShapes(in, [&db, m](const Shape& s) { return chainNames(db, s, m); });
    return kOk;
}

namespace {
const std::array<script::CommandRow, 7> kCommands{{
    {"rev.layer", cmdRevLayer},
    {"hide.layer", cmdHideLayer},
    {"set.layer", cmdSetLayer},
    {"set.select", cmdSetSelect},
    {"reset.select", cmdResetSelect},
    {"sel.block.attri", cmdSelBlockAttri},
    {"sel.block.mapping", cmdSelBlockMapping},
}};
}  // namespace

std::span<const script::CommandRow> layerCommands() {
    return kCommands;
}

}  // namespace rz::db
