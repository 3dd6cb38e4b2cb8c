#include "render/render_commands.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>

#include "db/current_records.hpp"
#include "db/system_variables.hpp"
#include "fileio/picture_files.hpp"
#include "geometry/truncate.hpp"
#include "render/color_fill.hpp"
#include "render/draw_values.hpp"
#include "render/render_messages.hpp"
#include "render/renderer.hpp"
#include "script/arguments.hpp"
#include "script/language_symbols.hpp"
#include "script/messages.hpp"
#include "script/statement.hpp"

namespace rz::render {
namespace {

using script::kFail;
using script::kOk;
using script::Tok;

constexpr int kBackImageSlot = [] {
    for (const script::StringVariable& v : script::kStringVariables)
        if (std::string_view(v.name) == "backimage.name") return v.slot;
    return -1;
}();
static_assert(kBackImageSlot >= 0);

bool isEnd(Tok t) {
    return t == Tok::End || t == Tok::Eof;
}

std::uint8_t channel(float v) {
    if (!(v > 0.0f)) return 0;
    return static_cast<std::uint8_t>(std::min(v, 255.0f));
}

Rgb8 toRgb(const Vec3& v, float scale) {
    return {channel(std::trunc(v[0] * scale)), channel(std::trunc(v[1] * scale)),
            channel(std::trunc(v[2] * scale))};
}

script::Result cmdZinit(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    if (Renderer* r = startedRenderer(in)) clearZBuffers(*r);
    return kOk;
}

// No argument: cbuf.code with cbuf.color.v in 0..255; a code alone: black; a code "," a
// colour in 0..1.
script::Result cmdCinit(script::Interp& in) {
    int code = 0;
    Rgb8 colour{0, 0, 0};
    Tok t = in.next();
    if (isEnd(t)) {
        code = geometry::truncateToInt(db::scalarVar(in, db::SysVar::CbufCode));
        colour = toRgb(db::vectorVar(in, db::SysVar::CbufColor), 1.0f);
    } else {
        if (t == Tok::Number || t == Tok::Constant)
            code = geometry::truncateToInt(in.lex.number());
        else if (t == Tok::Scalar)
            code = geometry::truncateToInt(in.sym.scalar(in.lex.symbol()));
        else
            return script::failSkip(in, script::msg::kBadParam);
        t = in.next();
        if (!isEnd(t)) {
            if (t != Tok::Comma) return script::failSkip(in, script::msg::kBadSeparator);
            Vec3 v{};
            if (script::lastVector(in, v) != kOk) return kFail;
            colour = toRgb(v, 255.0f);
        }
    }
    db::ColorBuffer& image = db::database(in).colorBuffer;
    if (code == static_cast<int>(FillCode::BackImage)) {
        // The slot may change while the file is read; its name is taken first.
        const std::string name(in.sym.slotText(kBackImageSlot));
        return fileio::loadPicture(in, name);
    }
    if (!fillColorBuffer(image, code, colour)) return script::fail(in, script::msg::kBadParam);
    return kOk;
}

struct ModeMessage {
    int first;
    int last;
    std::string_view text;
};

constexpr std::array<ModeMessage, 4> kModeMessages{{
    {1, 3, msg::kModeFast},
    {4, 5, msg::kModeCheck},
    {6, 6, msg::kModeFine},
    {7, 7, msg::kModeFinish},
}};

bool isDrawMode(int mode) {
    return mode == 0 || mode == kNoDraw || isRenderMode(mode) || wireValue(mode).has_value();
}

script::Result cmdDrawmode(script::Interp& in) {
    float value = 0.0f;
    if (script::literalNumber(in, value, true) != kOk) return kFail;
    if (script::noArguments(in) != kOk) return kFail;
    const int mode = geometry::truncateToInt(value);
    if (!isDrawMode(mode)) {
        in.drawMode = 0;
        return script::fail(in, script::msg::kBadParam);
    }
    in.drawMode = static_cast<std::uint8_t>(mode);
    for (const ModeMessage& m : kModeMessages)
        if (mode >= m.first && mode <= m.last) in.msg.console(m.text);
    return kOk;
}

constexpr std::array<std::string_view, 2> kQualityMessages{msg::kQualityNormal, msg::kQualityHigh};

script::Result cmdSetquality(script::Interp& in) {
    float value = 0.0f;
    if (script::literalNumber(in, value, true) != kOk) return kFail;
    if (script::noArguments(in) != kOk) return kFail;
    const int quality = geometry::truncateToInt(value);
    if (quality != 0 && quality != 1) return script::fail(in, script::msg::kBadParam);
    if (Renderer* r = startedRenderer(in)) r->state.quality = static_cast<std::uint8_t>(quality);
    in.msg.console(kQualityMessages[quality]);
    return kOk;
}

const std::array<script::CommandRow, 5> kCommands{{
    {"zinit", cmdZinit},
    {"drawinit", cmdZinit},
    {"cinit", cmdCinit},
    {"drawmode", cmdDrawmode},
    {"setquality", cmdSetquality},
}};

}  // namespace

std::span<const script::CommandRow> renderCommands() {
    return kCommands;
}

}  // namespace rz::render
