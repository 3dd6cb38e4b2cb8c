#include "app/dxf_import.hpp"

#include <unistd.h>

#include <array>

#include "platform/process_spawn.hpp"
#include "script/messages.hpp"
#include "script/statement.hpp"

namespace rz::app {

std::string convertDxf(script::Interp& in, const std::string& dxfPath) {
    std::string temp(in.sym.slotText(script::SymbolTable::kStartDirectorySlot));
    if (temp.empty()) temp.push_back('.');
    temp.append("/temp.pts");
    // An old script must not be read if the converter writes nothing.
    ::unlink(temp.c_str());
    const std::string converter = platform::findProgram("polyconv");
    if (converter.empty()) {
        in.msg.errorBox(script::msg::kFileNotFound);
        return {};
    }
    // Every mesh of the drawing, not only its first entity. Its exit status is not looked
    // at: a script it could not write is reported by read.
    const std::array<std::string, 3> args{"--all", dxfPath, temp};
    platform::runProgram(converter, args);
    std::string statement = "read \"";
    statement.append(temp).append("\"; autoview; winclear; wire; ");
    return statement;
}

void importDxf(script::Interp& in, const std::string& dxfPath) {
    const std::string statement = convertDxf(in, dxfPath);
    if (statement.empty()) return;
    script::execCommandString(in, in.msg.currentWindow(), statement.c_str());
}

}  // namespace rz::app
