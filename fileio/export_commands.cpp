#include "fileio/export_commands.hpp"

#include <array>
#include <string_view>

#include "db/current_records.hpp"
#include "geometry/truncate.hpp"
#include "script/arguments.hpp"
#include "script/messages.hpp"
#include "script/statement.hpp"

namespace rz::fileio {
namespace {

using script::kFail;
using script::kOk;

// The message of each switch position, indexed by it.
constexpr std::array<std::string_view, 2> kVrmlMapMessages{
    "ＶＲＭＬデータをマッピングなしで保存します。",
    "ＶＲＭＬデータをマッピング付きで保存します。",
};

script::Result cmdSetVrmlMap(script::Interp& in) {
    float value = 0.0f;
    if (script::literalNumber(in, value, true) != kOk) return kFail;
    const int on = geometry::truncateToInt(value);
    if (on != 0 && on != 1) return script::failSkip(in, script::msg::kBadParam);
    if (script::expectEnd(in) != kOk) return kFail;
    db::database(in).vrmlMode = on;
    in.msg.statusText(kVrmlMapMessages[static_cast<std::size_t>(on)]);
    return kOk;
}

const std::array<script::CommandRow, 1> kCommands{{
    {"set.vrml.map", cmdSetVrmlMap},
}};

}  // namespace

std::span<const script::CommandRow> exportCommands() {
    return kCommands;
}

}  // namespace rz::fileio
