#include "render/view_commands.hpp"

#include <algorithm>
#include <array>

#include "db/current_records.hpp"
#include "geometry/truncate.hpp"
#include "render/draw_values.hpp"
#include "render/render_messages.hpp"
#include "render/view_context.hpp"
#include "render/view_repaint.hpp"
#include "render/views.hpp"
#include "script/arguments.hpp"
#include "script/messages.hpp"
#include "script/statement.hpp"

namespace rz::render {
namespace {

using script::kFail;
using script::kOk;
using script::Tok;

// The views of a started workstation, or the environment message.
Views* environment(script::Interp& in) {
    Views* views = startedViews(in);
    if (views == nullptr) static_cast<void>(script::failSkip(in, msg::kNeedWindowEnvironment));
    return views;
}

// An optional clear mode: a number or a named constant, then the end of the statement.
script::Result clearModeArgument(script::Interp& in, bool& given, int& mode) {
    const Tok t = in.next();
    given = t != Tok::End && t != Tok::Eof;
    if (!given) return kOk;
    if (t != Tok::Number && t != Tok::Constant) return script::failSkip(in, script::msg::kBadParam);
    mode = geometry::truncateToInt(in.lex.number());
    if (!isClearMode(mode)) return script::failSkip(in, script::msg::kBadParam);
    return script::noArguments(in);
}

script::Result clearViews(script::Interp& in, int mode) {
    Views* views = environment(in);
    if (views == nullptr) return kFail;
    if (views->previewOwnsWindow) return kOk;
    layoutViews(*views, in);
    repaint(*views, in, mode);
    return kOk;
}

// One literal argument (a number, named constant or scalar variable), truncated, ending the
// statement.
script::Result wholeArgument(script::Interp& in, int& out) {
    float v = 0.0f;
    if (script::literalNumber(in, v, true) != kOk) return kFail;
    if (script::noArguments(in) != kOk) return kFail;
    out = geometry::truncateToInt(v);
    return kOk;
}

}  // namespace

static script::Result cmdWinclear(script::Interp& in) {
    bool given = false;
    int mode = kAllClear;
    if (clearModeArgument(in, given, mode) != kOk) return kFail;
    if (given) return clearViews(in, mode);
    Views* views = startedViews(in);
    if (views == nullptr || views->previewOwnsWindow) return kOk;
    layoutViews(*views, in);
    repaint(*views, in, kAllClear);
    return kOk;
}

static script::Result cmdWindisp(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    return clearViews(in, kWindyDraw);
}

static script::Result cmdParswinclear(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    Views* views = startedViews(in);
    if (views == nullptr || views->previewOwnsWindow) return kOk;
    layoutViews(*views, in);
    if (perspectiveShown(*views)) repaint(*views, in, kPlane1Clear);
    return kOk;
}

static script::Result cmdSetWinfact(script::Interp& in) {
    int n = 0;
    if (wholeArgument(in, n) != kOk) return kFail;
    Views* views = environment(in);
    if (views == nullptr) return kFail;
    const std::optional<double> factor = zoomFactor(n);
    views->factor = factor.value_or(kDefaultZoomFactor);
    if (!factor) return script::fail(in, script::msg::kValueNotCorrect);
    return kOk;
}

static script::Result cmdInitlayer(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    db::Database& db = db::database(in);
    const auto reset = [](std::uint8_t& layer) {
        if (layer != kLayerGuide) layer = kLayerNormal;
    };
    for (int i = 0; i < db.shapeCount; ++i) reset(db.shapes[i].layer);
    for (int b = 0; b < db.blockCount; ++b) reset(db.blocks[b].layer);
    return kOk;
}

// The views' image into the C-Buffer: red, green and blue of every pixel both have; the
// fourth byte stays.
static script::Result cmdCapture(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    Views* views = environment(in);
    if (views == nullptr) return kFail;
    db::ColorBuffer& cb = db::database(in).colorBuffer;
    const Raster& raster = views->raster;
    const bool allocated = cb.width > 0 && cb.height > 0 &&
                           cb.pixels.size() >= static_cast<std::size_t>(cb.width) * cb.height * 4;
    const int width = allocated ? std::min(cb.width, raster.width()) : 0;
    const int height = allocated ? std::min(cb.height, raster.height()) : 0;
    const auto image = raster.pixels();
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* from = image.data() + static_cast<std::size_t>(y) * raster.stride();
        std::uint8_t* to = cb.pixels.data() + static_cast<std::size_t>(y) * cb.width * 4;
        for (int x = 0; x < width; ++x, from += 3, to += 4) std::copy(from, from + 3, to);
    }
    in.msg.console(msg::kProcessDone);
    return kOk;
}

namespace {
const std::array<script::CommandRow, 6> kCommands{{
    {"winclear", cmdWinclear},
    {"windisp", cmdWindisp},
    {"parswinclear", cmdParswinclear},
    {"set.winfact", cmdSetWinfact},
    {"initlayer", cmdInitlayer},
    {"capture", cmdCapture},
}};
}  // namespace

std::span<const script::CommandRow> viewCommands() {
    return kCommands;
}

}  // namespace rz::render
