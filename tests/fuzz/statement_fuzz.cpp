// Statements from arbitrary bytes, through a command string and through a streamed file,
// on a started interpreter and model. Nothing may crash, hang or read or write outside the
// interpreter's stores. Declaring arrays past the variable stores ends the program on
// purpose, so inputs that declare arrays are left out, and so are commands that reach the
// file system.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "db/database.hpp"
#include "fuzz_support.hpp"
#include "platform/input_file.hpp"
#include "platform/message_service.hpp"
#include "platform/null_sink.hpp"
#include "script/interp.hpp"
#include "script/statement.hpp"
#include "workstation/workstation.hpp"

namespace {

bool leftOut(std::string_view text) {
    const bool declaresArrays = (text.find("var") != std::string_view::npos ||
                                 text.find("vtx") != std::string_view::npos) &&
                                text.find('[') != std::string_view::npos;
    return declaresArrays || rz::fuzz::mentionsAny(text, rz::fuzz::kFileWords);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (leftOut(bytes)) return 0;
    rz::platform::NullSink sink;
    rz::workstation::Workstation w(sink);
    w.start(rz::fuzz::smallStores());
    rz::script::Interp& in = w.interp;

    const std::string text(bytes);
    rz::script::execCommandString(in, 0, text.c_str());
    rz::platform::InputFile stream(bytes);
    // Whether the stream's statements failed does not matter here, only that nothing breaks.
    static_cast<void>(rz::script::execFileStream(in, stream));
    return 0;
}
