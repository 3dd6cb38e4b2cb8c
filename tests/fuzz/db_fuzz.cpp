// Record commands and let statements from arbitrary bytes, run on a started interpreter and
// model with small stores so that every store fills up quickly. Nothing may crash, hang, or
// read or write outside a store. Each input starts from a fresh start-up, so a finding
// replays on its own.
//
// Declarations are left out: overflowing the variable stores ends the program on purpose.
// Commands that reach the file system are left out too.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "db/database.hpp"
#include "db/settings.hpp"
#include "fuzz_support.hpp"
#include "platform/message_service.hpp"
#include "platform/message_sink.hpp"
#include "platform/null_sink.hpp"
#include "script/interp.hpp"
#include "script/statement.hpp"
#include "workstation/workstation.hpp"

namespace {

// Overflowing the variable stores ends the program on purpose.
constexpr std::array<std::string_view, 3> kDeclarations{"var", "vtx", "def.mat"};

bool leftOut(std::string_view text) {
    return rz::fuzz::mentionsAny(text, kDeclarations) ||
           rz::fuzz::mentionsAny(text, rz::fuzz::kFileWords);
}

// A 16 x 12 colour buffer with a pattern, for the map image commands.
void fillColorBuffer(rz::db::ColorBuffer& c) {
    c.width = 16;
    c.height = 12;
    c.pixels.resize(static_cast<std::size_t>(c.width) * c.height * 4);
    for (std::size_t i = 0; i < c.pixels.size(); ++i) c.pixels[i] = static_cast<std::uint8_t>(i);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (leftOut(text)) return 0;
    rz::platform::NullSink sink;
    rz::workstation::Workstation w(sink);
    w.start(rz::fuzz::smallStores());
    rz::script::Interp& in = w.interp;
    rz::db::Database& model = w.db;
    fillColorBuffer(model.colorBuffer);
    rz::script::execCommandString(in, 0, text.c_str());
    return 0;
}
