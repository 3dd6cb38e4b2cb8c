#include "render/gl_view_commands.hpp"

#include <array>

#include "geometry/truncate.hpp"
#include "render/gl_view_modes.hpp"
#include "render/renderer.hpp"
#include "script/arguments.hpp"
#include "script/messages.hpp"
#include "script/statement.hpp"

namespace rz::render {
namespace {

using script::kFail;
using script::kOk;

// The state exists once the renderer is started; before that the value is only checked.
void store(script::Interp& in, std::uint8_t RenderState::*field, std::uint8_t value) {
    if (Renderer* r = startedRenderer(in)) r->state.*field = value;
}

script::Result cmdSetGlviewmode(script::Interp& in) {
    int value = 0;
    if (script::lastIntExpression(in, value) != kOk) return kFail;
    const std::optional<GlViewMode> mode = glViewMode(value);
    if (!mode) {
        store(in, &RenderState::glViewMode, kGlFlatShade);
        return script::fail(in, script::msg::kBadParam);
    }
    store(in, &RenderState::glViewMode, mode->mode);
    in.msg.console(mode->text);
    return kOk;
}

script::Result cmdSetGlviewsize(script::Interp& in) {
    int value = 0;
    if (script::lastIntExpression(in, value) != kOk) return kFail;
    for (const GlViewSize& s : kGlViewSizes) {
        if (s.size != value) continue;
        store(in, &RenderState::glViewSize, s.size);
        in.msg.console(s.text);
        return kOk;
    }
    store(in, &RenderState::glViewSize, kGlHalfSize);
    return script::fail(in, script::msg::kBadParam);
}

const std::array<script::CommandRow, 2> kCommands{{
    {"set.glviewmode", cmdSetGlviewmode},
    {"set.glviewsize", cmdSetGlviewsize},
}};

}  // namespace

std::span<const script::CommandRow> glViewCommands() {
    return kCommands;
}

}  // namespace rz::render
