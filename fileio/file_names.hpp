#pragma once
// The file-name rules every data file goes through: the file-number suffix and the forced
// extension of the interpreter, and the companion names built from a final name.

#include <string>
#include <string_view>

#include "script/interp.hpp"

namespace rz::fileio {

// A path cut into folder (with its trailing "/"), base name and extension (without ".").
struct PathParts {
    std::string_view dir;
    std::string_view base;
    std::string_view ext;
};
PathParts splitPath(std::string_view path);

inline constexpr std::size_t kMaxBaseName = 256;

// An empty name is no failure: the command that got it does nothing.
enum class [[nodiscard]] NameResult{Empty, Built, Failed};

// The final name of a file: the suffix appended to the base name and the forced extension
// put in place of the name's own. Failed after a report.
NameResult makeName(script::Interp& in, std::string_view name, std::string& out);
// The same with an explicit extension, for companion files.
NameResult makeCompanionName(script::Interp& in, std::string_view name, std::string_view ext,
                             std::string& out);

}  // namespace rz::fileio
