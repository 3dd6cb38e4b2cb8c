#include <array>
#include <span>

#include "db/current_records.hpp"
#include "geometry/bounding_box.hpp"
#include "geometry/cursor_commands.hpp"
#include "geometry/geometry_messages.hpp"
#include "geometry/truncate.hpp"
#include "script/arguments.hpp"
#include "script/messages.hpp"
#include "script/statement.hpp"

namespace rz::geometry {
namespace {

using script::kFail;
using script::kOk;

script::Result cmdBboxGen(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    if (generateShapeBoxes(db::database(in), in.msg) != kOk) return kFail;
    in.msg.statusText(msg::kBboxDone);
    return kOk;
}

script::Result cmdAboxGen(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    if (generateAbox(db::database(in), in.msg) != kOk) return kFail;
    in.msg.statusText(msg::kAboxDone);
    return kOk;
}

script::Result cmdBlockBboxGen(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    if (generateBlockBoxes(db::database(in), in.msg) != kOk) return kFail;
    in.msg.statusText(msg::kBlockBboxDone);
    return kOk;
}

// 0 (OFF) fast lines, 1 (ON) dense lines.
script::Result cmdWireDetail(script::Interp& in) {
    float value = 0.0f;
    if (script::literalNumber(in, value, true) != kOk) return kFail;
    const int detail = truncateToInt(value);
    if (detail != 0 && detail != 1) return script::failSkip(in, script::msg::kBadParam);
    if (script::noArguments(in) != kOk) return kFail;
    db::database(in).boxCursor.wireDetail = detail == 1;
    in.msg.statusText(detail == 1 ? msg::kDenseLines : msg::kFastLines);
    return kOk;
}

const std::array<script::CommandRow, 4> kCommands{{
    {"abox.gen", cmdAboxGen},
    {"bbox.gen", cmdBboxGen},
    {"wire.detail", cmdWireDetail},
    {"blockbbox.gen", cmdBlockBboxGen},
}};

}  // namespace

std::span<const script::CommandRow> boxCommands() {
    return kCommands;
}

}  // namespace rz::geometry
